#include "matrix.h"

#include <new>
#include <string>

#include "numerics/errors.h"

namespace bem {
namespace {

[[noreturn]] void storage_exhausted(index_t n, const char* what) {
  numerics::stop(numerics::Severity::terminal, 2, what,
                 "The required storage cannot be allocated.  The workspace is based on N, "
                 "where N = " +
                     std::to_string(n) + ".");
}

}  // namespace

std::unique_ptr<double[]> allocate_reals(index_t n, const char* what) {
  if (n < 0) storage_exhausted(n, what);
  std::unique_ptr<double[]> p(new (std::nothrow) double[static_cast<std::size_t>(n)]());
  if (!p && n > 0) storage_exhausted(n, what);
  return p;
}

std::unique_ptr<int[]> allocate_ints(index_t n, const char* what) {
  if (n < 0) storage_exhausted(n, what);
  std::unique_ptr<int[]> p(new (std::nothrow) int[static_cast<std::size_t>(n)]());
  if (!p && n > 0) storage_exhausted(n, what);
  return p;
}

void Matrix::fill(double v) {
  const index_t n = rows_ * cols_;
  for (index_t k = 0; k < n; ++k) data_[k] = v;
}

Matrix Matrix::clone(const char* what) const {
  Matrix m(rows_, cols_, what);
  for (index_t k = 0; k < rows_ * cols_; ++k) m.data_[k] = data_[k];
  return m;
}

}  // namespace bem

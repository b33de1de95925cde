#include "matrix.h"

#include <algorithm>
#include <cstdint>
#include <limits>
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

// Elements of `size` bytes that a single allocation can hold.
constexpr index_t largest_count(std::size_t size) {
  constexpr std::uint64_t bytes = std::numeric_limits<std::size_t>::max();
  constexpr std::uint64_t index_max = std::numeric_limits<index_t>::max();
  return static_cast<index_t>(std::min(bytes / size, index_max));
}

}  // namespace

std::unique_ptr<double[]> allocate_reals(index_t n, const char* what) {
  if (n < 0 || n > largest_count(sizeof(double))) storage_exhausted(n, what);
  std::unique_ptr<double[]> p(new (std::nothrow) double[static_cast<std::size_t>(n)]());
  if (!p && n > 0) storage_exhausted(n, what);
  return p;
}

std::unique_ptr<int[]> allocate_ints(index_t n, const char* what) {
  if (n < 0 || n > largest_count(sizeof(int))) storage_exhausted(n, what);
  std::unique_ptr<int[]> p(new (std::nothrow) int[static_cast<std::size_t>(n)]());
  if (!p && n > 0) storage_exhausted(n, what);
  return p;
}

void Matrix::fill(double v) {
  const index_t n = rows_ * cols_;
  for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) data_[k] = v;
}

Matrix Matrix::clone(const char* what) const {
  Matrix m(rows_, cols_, what);
  const auto n = static_cast<std::size_t>(rows_ * cols_);
  for (std::size_t k = 0; k < n; ++k) m.data_[k] = data_[k];
  return m;
}

}  // namespace bem

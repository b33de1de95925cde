// Dense column-major storage shared by the whole core.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace bem {

using index_t = std::int64_t;

// Degree of freedom (1-based) of direction k (1..3) at point i (1..npt): 3(i - 1) + k. Rows
// and columns of every matrix of order 3 npt are numbered this way.
constexpr index_t dof(index_t point, int k) {
  return 3 * (point - 1) + k;
}

// Position of element (i, j) of a column-major array with `rows` rows. Index arithmetic is
// 64-bit everywhere; the result fits std::size_t because the array was allocated.
constexpr std::size_t offset(index_t rows, index_t i, index_t j) {
  return static_cast<std::size_t>((i - 1) + rows * (j - 1));
}

// Obtains n zero-initialised doubles or n ints; ends the process with the terminal storage
// message naming `what` when the storage cannot be obtained, which includes an n whose size in
// bytes does not fit std::size_t (32-bit builds).
std::unique_ptr<double[]> allocate_reals(index_t n, const char* what);
std::unique_ptr<int[]> allocate_ints(index_t n, const char* what);

// A rows x cols matrix of doubles, column-major, 1-based element access (i, j).
class Matrix {
 public:
  Matrix() = default;
  Matrix(index_t rows, index_t cols, const char* what)
      : rows_(rows), cols_(cols), data_(allocate_reals(rows * cols, what)) {}

  index_t rows() const { return rows_; }
  index_t cols() const { return cols_; }
  double* data() { return data_.get(); }
  const double* data() const { return data_.get(); }
  double& operator()(index_t i, index_t j) { return data_[offset(rows_, i, j)]; }
  double operator()(index_t i, index_t j) const { return data_[offset(rows_, i, j)]; }
  void fill(double v);
  Matrix clone(const char* what) const;
  void release() {
    data_.reset();
    rows_ = cols_ = 0;
  }

 private:
  index_t rows_ = 0;
  index_t cols_ = 0;
  std::unique_ptr<double[]> data_;
};

// The same for 32-bit integers (the incidence copy).
class IntMatrix {
 public:
  IntMatrix() = default;
  IntMatrix(index_t rows, index_t cols, const char* what)
      : rows_(rows), cols_(cols), data_(allocate_ints(rows * cols, what)) {}

  index_t rows() const { return rows_; }
  int* data() { return data_.get(); }
  int& operator()(index_t i, index_t j) { return data_[offset(rows_, i, j)]; }
  int operator()(index_t i, index_t j) const { return data_[offset(rows_, i, j)]; }

 private:
  index_t rows_ = 0;
  index_t cols_ = 0;
  std::unique_ptr<int[]> data_;
};

}  // namespace bem

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

// Obtains n zero-initialised doubles or n ints; ends the process with the terminal storage
// message naming `what` when the storage cannot be obtained.
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
  double& operator()(index_t i, index_t j) { return data_[(i - 1) + rows_ * (j - 1)]; }
  double operator()(index_t i, index_t j) const { return data_[(i - 1) + rows_ * (j - 1)]; }
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
  int& operator()(index_t i, index_t j) { return data_[(i - 1) + rows_ * (j - 1)]; }
  int operator()(index_t i, index_t j) const { return data_[(i - 1) + rows_ * (j - 1)]; }

 private:
  index_t rows_ = 0;
  index_t cols_ = 0;
  std::unique_ptr<int[]> data_;
};

}  // namespace bem

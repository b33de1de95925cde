// The steps of inverse(): LU factorisation with scaled partial pivoting, the LINPACK condition
// estimate and the inverse from the factors (internal to the core; the tests reach them).
//
// Storage is column-major with leading dimension lda >= n; indices here count from 0.
#pragma once

#include <memory>

#include "../matrix.h"

namespace bem::numerics::detail {

// Smallest positive normalised double: pivots and row maxima at or below it count as zero.
inline constexpr double kSmallestNormal = 2.2250738585072014e-308;

// Columns handled together by the blocked factorisation and inversion. The results do not
// depend on it: every entry sees the operations of the unblocked algorithm in the same order.
inline constexpr index_t kLuBlock = 128;

// The working storage of one factorisation and inversion of order n, for a fixed number of
// concurrent tasks: n pivot indices, n row scales, a vector of n, an n x kLuBlock block and
// one product buffer per task.
class LuWorkspace {
 public:
  // Obtains the storage; false when it cannot be had (nothing is thrown).
  bool obtain(index_t n, int tasks);

  index_t order() const { return n_; }
  int tasks() const { return tasks_; }
  index_t* pivots() { return pivots_.get(); }
  double* scales() { return scales_.get(); }
  double* vector() { return vector_.get(); }
  double* block() { return block_.get(); }
  double* product_buffer(int task);

 private:
  index_t n_ = 0;
  int tasks_ = 1;
  std::unique_ptr<index_t[]> pivots_;
  std::unique_ptr<double[]> scales_;
  std::unique_ptr<double[]> vector_;
  std::unique_ptr<double[]> block_;
  std::unique_ptr<double[]> product_buffers_;
};

// Factors a in place as P a = L U (L unit lower triangular, stored below the diagonal; U on
// and above it) by Gaussian elimination with scaled partial pivoting. The row scales
// s_i = 1 / max_j |a_ij| (1 when that maximum is below kSmallestNormal) are computed once
// from a as given and travel with their rows; in column k the pivot is the first row
// p >= k maximising s_p |a_pk|. Rows k and p are then interchanged across the whole matrix
// and pivots[k] = p. A pivot of magnitude <= kSmallestNormal marks column k singular: no
// elimination is done for it and its multipliers are stored as zeros.
// On return ws.scales() holds the interchanged scales. Returns the number of singular columns.
index_t lu_factor(index_t n, double* a, index_t lda, index_t* pivots, LuWorkspace& ws);

// Estimate of 1 / (||A||_1 ||A^-1||_1) from factors of lu_factor with no singular column,
// by the LINPACK estimator (Cline, Moler, Stewart and Wilkinson, "An estimate for the
// condition number of a matrix", SIAM J. Numer. Anal. 16, 1979): U^T w = e with e_k = +-1
// chosen for growth, L^T y = w, then L v = P y and U z = v, rescaling against overflow;
// RCOND = ||y||_1 / (||z||_1 anorm). anorm = 0 gives 0. Uses ws.vector().
double lu_rcond(
    index_t n, const double* lu, index_t lda, const index_t* pivots, double anorm, LuWorkspace& ws);

// Overwrites the factors of lu_factor (no singular column) by A^-1: U is inverted in place,
// X L = U^-1 is solved for X in place, and the interchanges are undone as column
// interchanges in reverse order.
void lu_invert(index_t n, double* lu, index_t lda, const index_t* pivots, LuWorkspace& ws);

}  // namespace bem::numerics::detail

// Gauss-Legendre rules on [-1, 1].
#pragma once

namespace bem::numerics {

inline constexpr const char* kGaussRoutine = "DGQRUL";

// Fills qx (n points, increasing) and qw (their weights, summing to 2) with the n-point
// Gauss-Legendre rule, by the method of Golub and Welsch (1969): the points are the
// eigenvalues of the symmetric tridiagonal Jacobi matrix with zero diagonal and off-diagonal
// k / sqrt(4k^2 - 1), each weight twice the squared first component of its normalised
// eigenvector. n = 1 gives the point 0 with weight 2. n < 1 is terminal condition 1.
void gauss_legendre(int n, double* qx, double* qw);

// The same rule, computed once per process and then reused (identical values).
// Valid for 1 <= n <= kMaxCachedGauss; points and weights each hold n values.
inline constexpr int kMaxCachedGauss = 16;
struct GaussRule {
  int n;
  const double* x;
  const double* w;
};
GaussRule cached_gauss_rule(int n);

}  // namespace bem::numerics

// Gauss-Legendre rules on [-1, 1].
#pragma once

namespace bem::numerics {

inline constexpr const char* kGaussRoutine = "DGQRUL";

// Fills qx (n points, increasing) and qw (their weights, summing to 2) with the n-point
// Gauss-Legendre rule, by the method of Golub and Welsch (1969): the points are the
// eigenvalues of the symmetric tridiagonal Jacobi matrix with zero diagonal and off-diagonal
// k / sqrt(4k^2 - 1) (implicit QL with Wilkinson shifts), each weight twice the squared first
// component of its normalised eigenvector. Each point is polished by a Newton step on P_n and
// its weight taken from the closed form of that eigenvector, and the rule is made exactly
// symmetric (x_i = -x_{n+1-i}, w_i = w_{n+1-i}); points come out within about 1 unit in the
// last place, weights within a few (about 10 for n = 16). n = 1 gives the point 0 with
// weight 2. n < 1 is terminal condition 1, storage that cannot be had terminal condition 2.
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

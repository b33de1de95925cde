#include "gauss_legendre.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <memory>
#include <new>
#include <numeric>
#include <vector>

#include "errors.h"

namespace bem::numerics {
namespace {

constexpr double kUnitRoundoff = 1.1102230246251565e-16;  // 2^-53
constexpr int kMaxSweeps = 60;  // per eigenvalue; two or three are the rule

// Off-diagonal of the Jacobi matrix of the Legendre weight: beta[k - 1] = k / sqrt(4k^2 - 1).
void legendre_recurrence(int n, double* beta) {
  for (int k = 1; k < n; ++k) {
    const double kk = k;
    beta[k - 1] = kk / std::sqrt(4.0 * kk * kk - 1.0);
  }
}

// First m >= l whose off-diagonal e[m] is negligible beside its diagonal neighbours
// (e[n - 1] is zero): [l, m] is the unreduced block that still holds eigenvalue l.
int block_end(int n, int l, const double* d, const double* e) {
  int m = l;
  while (m < n - 1 && std::abs(e[m]) > kUnitRoundoff * (std::abs(d[m]) + std::abs(d[m + 1]))) {
    ++m;
  }
  return m;
}

// One implicit QL sweep over the block [l, m] with Wilkinson's shift, the eigenvalue of the
// leading 2 x 2 block nearer d[l] (Wilkinson and Reinsch, Handbook for Automatic Computation
// II, "imtql1"): plane rotations chase the bulge from the bottom of the block up. A rotation
// that meets an exact zero splits the block; the sweep then ends early.
void ql_sweep(int l, int m, double* d, double* e) {
  const double theta = (d[l + 1] - d[l]) / (2.0 * e[l]);
  const double radius = std::hypot(theta, 1.0);
  double g = d[m] - d[l] + e[l] / (theta + std::copysign(radius, theta));
  double s = 1.0, c = 1.0, p = 0.0;
  for (int i = m - 1; i >= l; --i) {
    const double f = s * e[i], b = c * e[i];
    const double r = std::hypot(f, g);
    e[i + 1] = r;
    if (r == 0.0) {
      d[i + 1] -= p;
      e[m] = 0.0;
      return;
    }
    s = f / r;
    c = g / r;
    g = d[i + 1] - p;
    const double t = (d[i] - g) * s + 2.0 * c * b;
    p = s * t;
    d[i + 1] = g + p;
    g = c * t - b;
  }
  d[l] -= p;
  e[l] = g;
  e[m] = 0.0;
}

// Eigenvalues, into d, of the symmetric tridiagonal matrix with diagonal d and off-diagonal
// e[0 .. n - 2]; e (n entries) is destroyed.
void tridiagonal_eigenvalues(int n, double* d, double* e) {
  e[n - 1] = 0.0;
  for (int l = 0; l < n; ++l) {
    for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
      const int m = block_end(n, l, d, e);
      if (m == l) break;
      ql_sweep(l, m, d, e);
    }
  }
}

// P_n(x), P_n'(x), the Christoffel sum K(x) = sum_{k<n} (k + 1/2) P_k(x)^2 and K'(x), by
// Bonnet's recurrence k P_k = (2k - 1) x P_{k-1} - (k - 1) P_{k-2}, whose coefficients are exact.
struct LegendreValues {
  double p, dp, sum, dsum;
};

LegendreValues evaluate_legendre(int n, double x) {
  double p_prev = 0.0, p = 1.0, dp_prev = 0.0, dp = 0.0, sum = 0.5, dsum = 0.0;
  for (int k = 1; k <= n; ++k) {
    const double a = 2.0 * k - 1.0, b = k - 1.0, kk = k;
    const double p_next = (a * x * p - b * p_prev) / kk;
    const double dp_next = (a * (p + x * dp) - b * dp_prev) / kk;
    p_prev = p;
    p = p_next;
    dp_prev = dp;
    dp = dp_next;
    if (k < n) {
      sum += (kk + 0.5) * p * p;
      dsum += (2.0 * kk + 1.0) * p * dp;
    }
  }
  return {p, dp, sum, dsum};
}

// QL fixes an eigenvalue only to about one unit roundoff of the matrix norm, many units in
// the last place for the points near zero, so x gets one Newton step on P_n. The weight is
// then the Golub-Welsch 2 z_1^2 in closed form: the eigenvector of the Jacobi matrix at x is
// (q_0(x), ..., q_{n-1}(x)) with q_k = sqrt(k + 1/2) P_k orthonormal, so 2 z_1^2 = 1 / K(x).
// K is taken at the root to first order (x plus the Newton step left over, below half a unit
// in the last place of x), because near +-1 the weight is sensitive to the point.
double polish(int n, double& x) {
  const LegendreValues first = evaluate_legendre(n, x);
  if (first.dp != 0.0) x -= first.p / first.dp;
  const LegendreValues v = evaluate_legendre(n, x);
  const double left_over = v.dp != 0.0 ? -v.p / v.dp : 0.0;
  return 1.0 / (v.sum + v.dsum * left_over);
}

// Sorts the points increasing, each weight with its point, and makes the rule exactly
// symmetric: x_i = -x_{n+1-i}, w_i = w_{n+1-i}, the middle point of an odd rule 0.
void sort_and_symmetrize(int n, double* qx, double* qw) {
  std::vector<int> order(static_cast<std::size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int i, int j) { return qx[i] < qx[j]; });
  std::vector<double> x(order.size()), w(order.size());
  for (int i = 0; i < n; ++i) {
    x[i] = qx[order[i]];
    w[i] = qw[order[i]];
  }
  for (int i = 0; i < n; ++i) {
    qx[i] = 0.5 * (x[i] - x[n - 1 - i]);
    qw[i] = 0.5 * (w[i] + w[n - 1 - i]);
  }
}

}  // namespace

void gauss_legendre(int n, double* qx, double* qw) {
  if (n < 1) {
    stop(Severity::terminal, 1, kGaussRoutine,
         fill_placeholders("The number of quadrature points N = %(I1).  It must be at least 1.",
                           static_cast<long long>(n)));
  }
  std::unique_ptr<double[]> e(new (std::nothrow) double[static_cast<std::size_t>(n)]);
  if (!e) {
    stop(Severity::terminal, 2, kGaussRoutine,
         fill_placeholders("The required storage cannot be allocated.  The workspace "
                           "requirement was based on N = %(I1).",
                           static_cast<long long>(n)));
  }
  legendre_recurrence(n, e.get());
  std::fill(qx, qx + n, 0.0);
  tridiagonal_eigenvalues(n, qx, e.get());
  for (int i = 0; i < n; ++i) qw[i] = polish(n, qx[i]);
  sort_and_symmetrize(n, qx, qw);
}

GaussRule cached_gauss_rule(int n) {
  struct Table {
    std::array<double, kMaxCachedGauss*(kMaxCachedGauss + 1) / 2> x{}, w{};
    Table() {
      for (int m = 1, at = 0; m <= kMaxCachedGauss; at += m, ++m) {
        gauss_legendre(m, x.data() + at, w.data() + at);
      }
    }
  };
  assert(n >= 1 && n <= kMaxCachedGauss);
  static const Table table;  // built once, on first use; thread-safe initialisation
  const int at = (n - 1) * n / 2;
  return {n, table.x.data() + at, table.w.data() + at};
}

}  // namespace bem::numerics

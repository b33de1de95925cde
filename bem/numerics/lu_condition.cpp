// The LINPACK condition estimate (Cline, Moler, Stewart and Wilkinson, 1979) for the factors
// P A = L U of lu_factor. A = P^T L U, so A^T y = e is U^T w = e, L^T v = w, y = P^T v, and
// A z = y is L x = P y, U z = x.
#include <algorithm>
#include <cmath>
#include <utility>

#include "lu.h"

namespace bem::numerics::detail {
namespace {

double sum_of_magnitudes(index_t n, const double* z) {
  double s = 0.0;
  for (index_t i = 0; i < n; ++i) s += std::abs(z[i]);
  return s;
}

void scale(index_t n, double s, double* z) {
  for (index_t i = 0; i < n; ++i) z[i] *= s;
}

// U^T w = e, each e_k = +-1 chosen so that w grows most (the larger of the two candidate
// partial sums), the vector scaled down whenever |e_k - w_k| would exceed |u_kk|.
void solve_upper_transposed_for_growth(index_t n, const double* lu, index_t lda, double* z) {
  std::fill(z, z + n, 0.0);
  double ek = 1.0;
  for (index_t k = 0; k < n; ++k) {
    const double ukk = lu[k + k * lda];
    if (z[k] != 0.0) ek = std::copysign(ek, -z[k]);
    if (std::abs(ek - z[k]) > std::abs(ukk)) {
      const double s = std::abs(ukk) / std::abs(ek - z[k]);
      scale(n, s, z);
      ek *= s;
    }
    double wk = ek - z[k], wkm = -ek - z[k];
    double s = std::abs(wk), sm = std::abs(wkm);
    wk /= ukk;
    wkm /= ukk;
    for (index_t j = k + 1; j < n; ++j) {
      const double ukj = lu[k + j * lda];
      sm += std::abs(z[j] + wkm * ukj);
      z[j] += wk * ukj;
      s += std::abs(z[j]);
    }
    if (s < sm) {
      const double t = wkm - wk;
      wk = wkm;
      for (index_t j = k + 1; j < n; ++j) z[j] += t * lu[k + j * lda];
    }
    z[k] = wk;
  }
}

// L^T v = w, scaled so that no component exceeds 1 in magnitude.
void solve_unit_lower_transposed(index_t n, const double* lu, index_t lda, double* z) {
  for (index_t k = n - 1; k >= 0; --k) {
    const double* lk = lu + k * lda;
    double dot = 0.0;
    for (index_t i = k + 1; i < n; ++i) dot += lk[i] * z[i];
    z[k] -= dot;
    if (std::abs(z[k]) > 1.0) scale(n, 1.0 / std::abs(z[k]), z);
  }
}

// L x = v, scaled likewise; returns the scaling applied.
double solve_unit_lower(index_t n, const double* lu, index_t lda, double* z) {
  double scaling = 1.0;
  for (index_t k = 0; k < n; ++k) {
    const double* lk = lu + k * lda;
    const double t = z[k];
    for (index_t i = k + 1; i < n; ++i) z[i] -= t * lk[i];
    if (std::abs(z[k]) > 1.0) {
      const double s = 1.0 / std::abs(z[k]);
      scale(n, s, z);
      scaling *= s;
    }
  }
  return scaling;
}

// U z = x, scaled so that no quotient exceeds the previous magnitude; returns the scaling.
double solve_upper(index_t n, const double* lu, index_t lda, double* z) {
  double scaling = 1.0;
  for (index_t k = n - 1; k >= 0; --k) {
    const double* uk = lu + k * lda;
    if (std::abs(z[k]) > std::abs(uk[k])) {
      const double s = std::abs(uk[k]) / std::abs(z[k]);
      scale(n, s, z);
      scaling *= s;
    }
    z[k] /= uk[k];
    const double t = z[k];
    for (index_t i = 0; i < k; ++i) z[i] -= t * uk[i];
  }
  return scaling;
}

}  // namespace

double lu_rcond(index_t n,
                const double* lu,
                index_t lda,
                const index_t* pivots,
                double anorm,
                LuWorkspace& ws) {
  if (anorm == 0.0) return 0.0;
  double* z = ws.vector();
  solve_upper_transposed_for_growth(n, lu, lda, z);
  scale(n, 1.0 / sum_of_magnitudes(n, z), z);

  solve_unit_lower_transposed(n, lu, lda, z);
  for (index_t k = n - 1; k >= 0; --k) std::swap(z[k], z[pivots[k]]);
  scale(n, 1.0 / sum_of_magnitudes(n, z), z);
  double ynorm = 1.0;  // ||y||_1 relative to the scaled z that follows

  for (index_t k = 0; k < n; ++k) std::swap(z[k], z[pivots[k]]);
  ynorm *= solve_unit_lower(n, lu, lda, z);
  double s = 1.0 / sum_of_magnitudes(n, z);
  scale(n, s, z);
  ynorm *= s;

  ynorm *= solve_upper(n, lu, lda, z);
  ynorm *= 1.0 / sum_of_magnitudes(n, z);
  return ynorm / anorm;
}

}  // namespace bem::numerics::detail

#include "bem/kernels/kelvin.h"

#include <gtest/gtest.h>

#include <cmath>

namespace bem {
namespace {

const double kPi = std::acos(-1.0);

struct Eval {
  double U[9], P[9];
  double u(int l, int m) const { return U[(l - 1) + 3 * (m - 1)]; }
  double p(int l, int m) const { return P[(l - 1) + 3 * (m - 1)]; }
};

// Kelvin kernel for field point minus source point r, unit normal n, G = 1, J = 1.
Eval kelvin(const double r[3], const double n[3], double nu = 0.25) {
  Eval out{};
  const double A = 1.0 / ((1.0 - nu) * 1.0 * kPi * 16.0), B = 2.0 * A;
  const double d = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
  kernels::Kelvin::solfund(nu, d, r[0], r[1], r[2], 0, 0, 0, 0, 0, 0, 0, 0, 0, A, B, out.U, out.P,
                           n[0], n[1], n[2]);
  return out;
}

TEST(Kelvin, WorkedValuesAlongX1) {
  const double r[3] = {1, 0, 0}, n[3] = {1, 0, 0};
  const Eval k = kelvin(r, n);
  for (int l = 1; l <= 3; ++l) {
    for (int m = 1; m <= 3; ++m) {
      const double u = l != m ? 0.0 : (l == 1 ? 1.0 / (4 * kPi) : 1.0 / (6 * kPi));
      const double p = l != m ? 0.0 : (l == 1 ? -7.0 / (12 * kPi) : -1.0 / (12 * kPi));
      EXPECT_NEAR(k.u(l, m), u, 1e-15) << l << m;
      EXPECT_NEAR(k.p(l, m), p, 1e-15) << l << m;
    }
  }
}

TEST(Kelvin, SymmetriesAndScaling) {
  const double r[3] = {0.3, -0.7, 0.45}, n[3] = {0.48, 0.6, 0.64};
  const double minus_r[3] = {-r[0], -r[1], -r[2]};
  const double twice_r[3] = {2 * r[0], 2 * r[1], 2 * r[2]};
  const Eval k = kelvin(r, n), swapped = kelvin(minus_r, n), far = kelvin(twice_r, n);
  for (int l = 1; l <= 3; ++l) {
    for (int m = 1; m <= 3; ++m) {
      EXPECT_DOUBLE_EQ(k.u(l, m), k.u(m, l));
      EXPECT_DOUBLE_EQ(swapped.u(l, m), k.u(l, m));
      EXPECT_DOUBLE_EQ(swapped.p(l, m), -k.p(l, m));
      EXPECT_NEAR(far.u(l, m), k.u(l, m) / 2, 1e-15);
      EXPECT_NEAR(far.p(l, m), k.p(l, m) / 4, 1e-15);
    }
  }
  // Only the antisymmetric term of P remains when n is perpendicular to r.
  const double rp[3] = {1, 2, 0}, np[3] = {0, 0, 1};
  const Eval perp = kelvin(rp, np);
  for (int l = 1; l <= 3; ++l) {
    EXPECT_EQ(perp.p(l, l), 0.0);
    for (int m = 1; m <= 3; ++m) EXPECT_NEAR(perp.p(l, m), -perp.p(m, l), 1e-16);
  }
}

// The tractions are those of the stress field of U under Hooke's law: a central difference
// of U gives the strains, Hooke's law the stresses, and sigma n the traction.
TEST(Kelvin, TractionIsHookeStressOfDisplacement) {
  const double nu = 0.3, G = 1.0;
  const double r[3] = {0.8, -0.35, 0.6}, n[3] = {0.0, 0.6, 0.8};
  const Eval k = kelvin(r, n, nu);
  const double h = 1e-5;
  for (int l = 1; l <= 3; ++l) {
    double grad[3][3];  // grad[m][j] = d u_m / d x_j
    for (int j = 0; j < 3; ++j) {
      double rp[3] = {r[0], r[1], r[2]}, rm[3] = {r[0], r[1], r[2]};
      rp[j] += h;
      rm[j] -= h;
      const Eval kp = kelvin(rp, n, nu), km = kelvin(rm, n, nu);
      for (int m = 0; m < 3; ++m) grad[m][j] = (kp.u(l, m + 1) - km.u(l, m + 1)) / (2 * h);
    }
    const double div = grad[0][0] + grad[1][1] + grad[2][2];
    const double lambda = 2 * G * nu / (1 - 2 * nu);
    for (int m = 0; m < 3; ++m) {
      double t = 0;
      for (int j = 0; j < 3; ++j) {
        const double sigma = lambda * div * (m == j) + G * (grad[m][j] + grad[j][m]);
        t += sigma * n[j];
      }
      // With A = J/(16 pi G (1-nu)) and B = 2 G A both are the solution times J.
      EXPECT_NEAR(k.p(l, m + 1), t, 1e-8) << "l=" << l << " m=" << m + 1;
    }
  }
}

}  // namespace
}  // namespace bem

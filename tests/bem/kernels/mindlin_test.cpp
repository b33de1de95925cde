#include "bem/kernels/mindlin.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "bem/kernels/boussinesq_cerruti.h"
#include "bem/kernels/kelvin.h"

namespace bem {
namespace {

using Vec3 = std::array<double, 3>;
using Mat3 = std::array<Vec3, 3>;

const double kPi = std::acos(-1.0);

// Test names for the tables of cases: each case carries its own.
template <class Case>
std::string case_name(const ::testing::TestParamInfo<Case>& case_info) {
  return case_info.param.name;
}
const Vec3 kAxis[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

struct Material {
  double nu = 0.25, G = 1.0, J = 1.0;
  // The scale factors as the integration routines form them.
  double A() const { return J / ((1.0 - nu) * G * kPi * 16.0); }
  double B() const { return 2.0 * G * A(); }
};

struct Eval {
  double U[9], P[9];
  double u(int l, int m) const { return U[(l - 1) + 3 * (m - 1)]; }
  double p(int l, int m) const { return P[(l - 1) + 3 * (m - 1)]; }
};

double distance(const Vec3& a, const Vec3& b) {
  return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                   (a[2] - b[2]) * (a[2] - b[2]));
}

// The 21 arguments for source s, field point x and normal n, formed consistently from the
// points as the integration routines form them.
kernels::KernelPoint arguments(const Vec3& s, const Vec3& x, const Vec3& n, const Material& mat) {
  kernels::KernelPoint k{};
  k.nu = mat.nu;
  k.r1 = x[0] - s[0];
  k.r2 = x[1] - s[1];
  k.r3 = x[2] - s[2];
  k.r = std::sqrt(k.r1 * k.r1 + k.r2 * k.r2 + k.r3 * k.r3);
  k.zc = x[2] + s[2];
  k.rimg = std::sqrt(k.r1 * k.r1 + k.r2 * k.r2 + k.zc * k.zc);
  k.c = s[2];
  k.z = x[2];
  k.cnu1 = 1.0 - mat.nu;
  k.cnu12 = 1.0 - mat.nu * 2.0;
  k.cnu34 = 3.0 - mat.nu * 4.0;
  k.cnu32 = 3.0 - mat.nu * 2.0;
  k.cnu54 = 5.0 - mat.nu * 4.0;
  k.cteu = mat.A();
  k.ctep = mat.B();
  k.n1 = n[0];
  k.n2 = n[1];
  k.n3 = n[2];
  return k;
}

// Both results start as NaN, so an entry the kernel leaves unwritten shows in every test.
template <class Kernel>
Eval evaluate(const Vec3& s, const Vec3& x, const Vec3& n, const Material& mat) {
  const kernels::KernelPoint k = arguments(s, x, n, mat);
  Eval out;
  for (int i = 0; i < 9; ++i) out.U[i] = out.P[i] = std::numeric_limits<double>::quiet_NaN();
  Kernel::solfund(k.nu, k.r, k.r1, k.r2, k.r3, k.rimg, k.zc, k.c, k.z, k.cnu1, k.cnu12, k.cnu34,
                  k.cnu32, k.cnu54, k.cteu, k.ctep, out.U, out.P, k.n1, k.n2, k.n3);
  return out;
}

Eval mindlin(const Vec3& s, const Vec3& x, const Vec3& n, const Material& mat) {
  return evaluate<kernels::Mindlin>(s, x, n, mat);
}

// |actual - expected| within half a unit in the sixth significant digit of expected.
void expect_six_digits(double actual, double expected, const std::string& what) {
  if (expected == 0.0) {
    EXPECT_NEAR(actual, 0.0, 1e-15) << what;
    return;
  }
  const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(expected))) - 5.0);
  EXPECT_NEAR(actual, expected, 0.5 * unit) << what;
}

// nu = 0.25, G = 1, J = 1, source (0, 0, 1), field point (1, 0, 1): r = 1, R = sqrt(5), zc = 2.
TEST(Mindlin, WorkedValues) {
  const Material mat;
  ASSERT_NEAR(mat.A(), 1.0 / (12.0 * kPi), 1e-17);
  ASSERT_NEAR(mat.B(), 1.0 / (6.0 * kPi), 1e-17);
  const Vec3 s{0, 0, 1}, x{1, 0, 1};
  const double u[3][3] = {{0.106485, 0, -0.00149349}, {0, 0.0790523, 0}, {0.00149349, 0, 0.108332}};
  const double p_e1[3][3] = {
      {-0.192713, 0, -0.00854115}, {0, -0.0318306, 0}, {-0.0219673, 0, -0.0469297}};
  const double p_e3[3][3] = {
      {-0.00854115, 0, 0.0355415}, {0, -0.0113882, 0}, {-0.0469297, 0, -0.0455528}};
  const Eval e1 = mindlin(s, x, kAxis[0], mat), e3 = mindlin(s, x, kAxis[2], mat);
  for (int l = 1; l <= 3; ++l) {
    for (int m = 1; m <= 3; ++m) {
      const std::string at = "(" + std::to_string(l) + "," + std::to_string(m) + ")";
      expect_six_digits(e1.u(l, m), u[l - 1][m - 1], "U" + at);
      EXPECT_EQ(e3.u(l, m), e1.u(l, m)) << "U" + at + " depends on the normal";
      expect_six_digits(e1.p(l, m), p_e1[l - 1][m - 1], "P" + at + ", n = e1");
      expect_six_digits(e3.p(l, m), p_e3[l - 1][m - 1], "P" + at + ", n = e3");
    }
  }
}

// Source and field points for the checks that hold everywhere in the solid.
struct FieldCase {
  const char* name;
  Vec3 source, field;
  Material mat;
};

const FieldCase kFieldCases[] = {
    {"WorkedPoint", {0, 0, 1}, {1, 0, 1}, {}},
    {"BelowSource", {0.2, -0.1, 1.0}, {0.7, 0.4, 2.3}, {0.3, 1.0, 1.0}},
    {"AboveSource", {0.0, 0.0, 2.0}, {0.6, -0.8, 0.5}, {0.2, 1.0, 1.0}},
    {"R1Zero", {0.5, 0.5, 1.5}, {0.5, 1.2, 0.7}, {}},
    {"R2Zero", {0.0, 0.0, 1.0}, {-0.9, 0.0, 1.6}, {}},
    {"VerticallyBelow", {0.3, 0.3, 1.0}, {0.3, 0.3, 2.5}, {}},
    {"VerticallyAbove", {0.3, 0.3, 1.0}, {0.3, 0.3, 0.3}, {}},
    {"FieldNearSurface", {0.0, 0.0, 1.0}, {0.8, 0.3, 0.01}, {}},
    {"FieldOnSurface", {0.1, 0.0, 0.8}, {-0.4, 0.9, 0.0}, {0.3, 1.0, 1.0}},
    {"ShallowSource", {0.1, 0.2, 0.05}, {0.9, -0.4, 0.6}, {}},
    {"SourceOnSurface", {0.0, 0.0, 0.0}, {0.7, 0.5, 0.4}, {}},
    {"DeepSource", {0.0, 0.0, 50.0}, {1.0, 1.0, 49.0}, {}},
    {"NegativeOffsets", {1.0, 1.0, 1.0}, {0.2, 0.3, 1.4}, {0.35, 1.0, 1.0}},
    {"NuZero", {0.0, 0.0, 0.6}, {0.5, -0.7, 0.9}, {0.0, 1.0, 1.0}},
    {"NearlyIncompressible", {0.0, 0.0, 0.6}, {-0.5, 0.7, 0.2}, {0.49, 1.0, 1.0}},
    {"StiffScaledRegion", {0.4, 0.0, 1.2}, {-0.3, 0.6, 1.9}, {0.3, 3.5, 0.25}},
};

class MindlinField : public ::testing::TestWithParam<FieldCase> {
 protected:
  const FieldCase& fc() const { return GetParam(); }
  Eval at(const Vec3& x, const Vec3& n = kAxis[2]) const {
    return mindlin(fc().source, x, n, fc().mat);
  }
  Vec3 shifted(int j, double step) const {
    Vec3 x = fc().field;
    x[j] += step;
    return x;
  }
  double r() const { return distance(fc().source, fc().field); }
  // lap U(l, .) + grad div U(l, .) / (1 - 2nu) at the field point, by central differences.
  Vec3 navier_residual(int l, double h) const;
};

Vec3 MindlinField::navier_residual(int l, double h) const {
  const Vec3& x = fc().field;
  const auto u = [&](const Vec3& y, int m) { return at(y).u(l, m + 1); };
  double hess[3][3][3];  // hess[m][i][j] = d2 U(l, m) / dx_i dx_j
  for (int i = 0; i < 3; ++i) {
    for (int j = i; j < 3; ++j) {
      Vec3 pp = x, pm = x, mp = x, mm = x;
      pp[i] += h, pm[i] += h, mp[i] -= h, mm[i] -= h;
      pp[j] += h, pm[j] -= h, mp[j] += h, mm[j] -= h;
      for (int m = 0; m < 3; ++m) {
        const double d =
            i == j ? (u(shifted(i, h), m) - 2.0 * u(x, m) + u(shifted(i, -h), m)) / (h * h)
                   : (u(pp, m) - u(pm, m) - u(mp, m) + u(mm, m)) / (4.0 * h * h);
        hess[m][i][j] = hess[m][j][i] = d;
      }
    }
  }
  Vec3 residual{};
  for (int m = 0; m < 3; ++m) {
    const double lap = hess[m][0][0] + hess[m][1][1] + hess[m][2][2];
    const double grad_div = hess[0][0][m] + hess[1][1][m] + hess[2][2][m];
    residual[m] = lap + grad_div / (1.0 - 2.0 * fc().mat.nu);
  }
  return residual;
}

// The tractions are those of the stress of U(l, .) under Hooke's law: S_l n for n = e1, e2, e3
// reaches every stress component. A = J/(16 pi G (1 - nu)) and B = 2 G A make P the traction
// of the stress of U itself. The gradient g[m][j] = d U(l, m) / d x_j comes from fourth-order
// central differences in the field point, the source fixed and every argument recomputed.
TEST_P(MindlinField, TractionIsHookeStressOfDisplacement) {
  const double G = fc().mat.G, nu = fc().mat.nu;
  const double lambda = 2.0 * G * nu / (1.0 - 2.0 * nu);
  const double h = 1e-3 * r();
  const double scale = fc().mat.B() / (r() * r());
  for (int l = 1; l <= 3; ++l) {
    Mat3 g{};
    for (int j = 0; j < 3; ++j) {
      const Eval p1 = at(shifted(j, h)), m1 = at(shifted(j, -h));
      const Eval p2 = at(shifted(j, 2 * h)), m2 = at(shifted(j, -2 * h));
      for (int m = 0; m < 3; ++m) {
        g[m][j] = (8.0 * (p1.u(l, m + 1) - m1.u(l, m + 1)) - (p2.u(l, m + 1) - m2.u(l, m + 1))) /
                  (12.0 * h);
      }
    }
    const double div = g[0][0] + g[1][1] + g[2][2];
    for (int k = 0; k < 3; ++k) {
      const Eval e = at(fc().field, kAxis[k]);
      for (int m = 0; m < 3; ++m) {
        const double sigma = lambda * div * (m == k ? 1.0 : 0.0) + G * (g[m][k] + g[k][m]);
        EXPECT_NEAR(e.p(l, m + 1), sigma, 1e-8 * scale)
            << "l=" << l << " stress (" << m + 1 << "," << k + 1 << ")";
      }
    }
  }
}

// Navier's equations away from the source: lap u + grad(div u) / (1 - 2nu) = 0 for every
// column U(l, .). Second-order central differences with steps h and h/2, combined by
// Richardson extrapolation so that the truncation error falls below the tolerance.
TEST_P(MindlinField, DisplacementSatisfiesNavier) {
  const double h = 4e-3 * r();
  // The size of the terms: A/r^3, with the divergence term amplified by 1/(1 - 2nu).
  const double scale = fc().mat.A() / (r() * r() * r()) * (1.0 + 1.0 / (1.0 - 2.0 * fc().mat.nu));
  for (int l = 1; l <= 3; ++l) {
    const Vec3 coarse = navier_residual(l, h), fine = navier_residual(l, h / 2);
    for (int m = 0; m < 3; ++m) {
      EXPECT_NEAR((4.0 * fine[m] - coarse[m]) / 3.0, 0.0, 1e-7 * scale)
          << "l=" << l << " equation " << m + 1;
    }
  }
}

TEST_P(MindlinField, DisplacementIdentities) {
  const Eval e = at(fc().field);
  const double A = fc().mat.A(), nu = fc().mat.nu;
  const Vec3 &s = fc().source, &x = fc().field;
  const double r1 = x[0] - s[0], c = s[2], z = x[2], zc = z + c;
  const double R = std::sqrt(r1 * r1 + (x[1] - s[1]) * (x[1] - s[1]) + zc * zc);
  const double K = 4.0 * (1.0 - nu) * (1.0 - 2.0 * nu);
  EXPECT_EQ(e.u(2, 1), e.u(1, 2));
  const double difference =
      A * r1 * (2.0 * K / (R * (R + zc)) - 12.0 * c * z * zc / std::pow(R, 5));
  EXPECT_NEAR(e.u(1, 3) - e.u(3, 1), difference, 1e-14 * A / r());
}

// Exchanging the axes 1 and 2 of both points and of the normal exchanges the indices 1 and 2 of
// every entry of U and P.
TEST_P(MindlinField, ExchangingAxes1And2PermutesEntries) {
  const Vec3 n{0.48, 0.6, 0.64};
  const auto swap12 = [](const Vec3& v) { return Vec3{v[1], v[0], v[2]}; };
  const Eval e = at(fc().field, n);
  const Eval w = mindlin(swap12(fc().source), swap12(fc().field), swap12(n), fc().mat);
  const int perm[4] = {0, 2, 1, 3};
  const double u_scale = fc().mat.A() / r(), p_scale = fc().mat.B() / (r() * r());
  for (int l = 1; l <= 3; ++l) {
    for (int m = 1; m <= 3; ++m) {
      EXPECT_NEAR(w.u(perm[l], perm[m]), e.u(l, m), 1e-14 * u_scale)
          << "U(" << l << "," << m << ")";
      EXPECT_NEAR(w.p(perm[l], perm[m]), e.p(l, m), 1e-14 * p_scale)
          << "P(" << l << "," << m << ")";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Points,
                         MindlinField,
                         ::testing::ValuesIn(kFieldCases),
                         case_name<FieldCase>);

// Mindlin's solution satisfies the traction-free condition on x3 = 0 by itself.
struct SurfaceCase {
  const char* name;
  Vec3 source, field;  // field[2] == 0
  double nu;
};

const SurfaceCase kSurfaceCases[] = {
    {"BelowWorkedSource", {0, 0, 1}, {1, 0, 0}, 0.25},
    {"Oblique", {0.3, -0.2, 0.7}, {-0.5, 0.9, 0.0}, 0.3},
    {"ShallowSource", {0.0, 0.0, 0.01}, {0.5, 0.2, 0.0}, 0.25},
    {"DeepSource", {0.0, 0.0, 10.0}, {0.5, -0.5, 0.0}, 0.2},
    {"Overhead", {0.2, 0.2, 0.5}, {0.2, 0.2, 0.0}, 0.25},
    {"FarAway", {0.0, 0.0, 0.5}, {20.0, -15.0, 0.0}, 0.25},
    {"NuZero", {0.1, 0.1, 0.4}, {0.6, -0.3, 0.0}, 0.0},
    {"NearlyIncompressible", {0.1, 0.1, 0.4}, {-0.6, 0.3, 0.0}, 0.49},
};

class MindlinFreeSurface : public ::testing::TestWithParam<SurfaceCase> {};

TEST_P(MindlinFreeSurface, TractionOnSurfaceVanishes) {
  const SurfaceCase& sc = GetParam();
  Material mat;
  mat.nu = sc.nu;
  const Eval e = mindlin(sc.source, sc.field, kAxis[2], mat);
  const Eval side = mindlin(sc.source, sc.field, kAxis[0], mat);
  const double r = distance(sc.source, sc.field);
  const double scale = mat.B() / (r * r);
  double largest_side = 0.0;
  for (int l = 1; l <= 3; ++l) {
    for (int m = 1; m <= 3; ++m) {
      EXPECT_NEAR(e.p(l, m), 0.0, 1e-13 * scale) << "P(" << l << "," << m << ")";
      largest_side = std::fmax(largest_side, std::fabs(side.p(l, m)));
    }
  }
  // The stresses on planes normal to the surface do not vanish there.
  EXPECT_GT(largest_side, 1e-3 * scale);
}

INSTANTIATE_TEST_SUITE_P(Points,
                         MindlinFreeSurface,
                         ::testing::ValuesIn(kSurfaceCases),
                         case_name<SurfaceCase>);

// Source and field point on the surface: Mindlin's solution reduces to Boussinesq's and
// Cerruti's.
TEST(Mindlin, SurfaceSourceAndFieldGiveBoussinesqCerruti) {
  struct Pair {
    Vec3 source, field;
    double nu;
  };
  const Pair pairs[] = {{{0, 0, 0}, {1, 0, 0}, 0.25},
                        {{0.2, -0.4, 0}, {-0.7, 0.5, 0}, 0.3},
                        {{0, 0, 0}, {0, 2.0, 0}, 0.1},
                        {{1.0, 1.0, 0}, {1.3, 0.6, 0}, 0.0},
                        {{0, 0, 0}, {-0.3, -0.4, 0}, 0.45}};
  const Vec3 n{0.48, 0.6, 0.64};
  for (const Pair& pr : pairs) {
    Material mat;
    mat.nu = pr.nu;
    const Eval m = mindlin(pr.source, pr.field, n, mat);
    const Eval bc = evaluate<kernels::BoussinesqCerruti>(pr.source, pr.field, n, mat);
    const double scale = mat.A() / distance(pr.source, pr.field);
    for (int l = 1; l <= 3; ++l) {
      for (int k = 1; k <= 3; ++k) {
        EXPECT_NEAR(m.u(l, k), bc.u(l, k), 1e-14 * scale)
            << "U(" << l << "," << k << ") nu=" << pr.nu << " r=(" << pr.field[0] - pr.source[0]
            << "," << pr.field[1] - pr.source[1] << ")";
      }
    }
  }
}

// Far from the free surface the image terms fall away: U approaches Kelvin's solution as r/c,
// P as (r/c)^2.
TEST(Mindlin, DeepSourceTendsToKelvin) {
  const Vec3 offsets[] = {{0.6, -0.3, 0.5}, {0.0, 0.0, -1.0}, {1.0, 0.5, 0.0}, {-0.2, 0.9, 0.7}};
  const Vec3 n{0.48, 0.6, 0.64};
  const Material mat{0.3, 1.0, 1.0};
  for (const Vec3& d : offsets) {
    const double r = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    double u_error[2], p_error[2];
    const double depths[2] = {1e3, 1e5};
    for (int i = 0; i < 2; ++i) {
      const Vec3 s{0.25, -0.5, depths[i]};
      const Vec3 x{s[0] + d[0], s[1] + d[1], s[2] + d[2]};
      const Eval m = mindlin(s, x, n, mat), k = evaluate<kernels::Kelvin>(s, x, n, mat);
      u_error[i] = p_error[i] = 0.0;
      for (int j = 0; j < 9; ++j) {
        u_error[i] = std::fmax(u_error[i], std::fabs(m.U[j] - k.U[j]) / (mat.A() / r));
        p_error[i] = std::fmax(p_error[i], std::fabs(m.P[j] - k.P[j]) / (mat.B() / (r * r)));
      }
      const double ratio = r / depths[i];
      EXPECT_LT(u_error[i], 4.0 * ratio) << "c=" << depths[i] << " offset " << d[0] << "," << d[1];
      EXPECT_LT(p_error[i], 4.0 * ratio * ratio)
          << "c=" << depths[i] << " offset " << d[0] << "," << d[1];
    }
    // The image terms are real: they fall by the factor of the depth ratio, not to rounding.
    EXPECT_GT(u_error[0], 1e-2 * r / depths[0]);
    EXPECT_NEAR(u_error[1] / u_error[0], 1e-2, 1e-4);
    EXPECT_NEAR(p_error[1] / p_error[0], 1e-4, 1e-6);
  }
}

// A field point with the same x1 as the source: every entry is finite, and the entries odd in
// r1 (an odd number of indices equal to 1 among the force direction and the stress indices)
// are exactly zero.
TEST(Mindlin, R1ZeroGivesFiniteValuesWithExpectedZeros) {
  const Vec3 source{0.5, -0.2, 1.0};
  const Vec3 fields[] = {{0.5, 0.6, 1.8}, {0.5, -0.9, 0.3}, {0.5, 0.4, 1.0}, {0.5, 0.7, 0.0}};
  const Material mat;
  for (const Vec3& x : fields) {
    const std::string where = "field (" + std::to_string(x[1]) + "," + std::to_string(x[2]) + ")";
    for (int k = 0; k < 3; ++k) {
      const Eval e = mindlin(source, x, kAxis[k], mat);
      for (int l = 1; l <= 3; ++l) {
        for (int m = 1; m <= 3; ++m) {
          ASSERT_TRUE(std::isfinite(e.u(l, m)) && std::isfinite(e.p(l, m))) << where;
          const int ones = (l == 1) + (m == 1) + (k == 0);
          if (ones % 2 == 1) {
            EXPECT_EQ(e.p(l, m), 0.0) << where << " S_" << l << "(" << m << "," << k + 1 << ")";
          }
        }
      }
      EXPECT_EQ(e.u(1, 2), 0.0) << where;
      EXPECT_EQ(e.u(2, 1), 0.0) << where;
      EXPECT_EQ(e.u(1, 3), 0.0) << where;
      EXPECT_EQ(e.u(3, 1), 0.0) << where;
      EXPECT_NE(e.u(2, 3), 0.0) << where;
      EXPECT_NE(e.u(3, 2), 0.0) << where;
    }
  }
}

// Every entry is written on every call and nothing is kept from an earlier call.
TEST(Mindlin, OverwritesEveryEntryAndKeepsNoState) {
  const Material mat;
  const Vec3 s{0.1, 0.2, 0.9}, x{0.8, -0.4, 0.3}, n{0.48, 0.6, 0.64};
  const Eval fresh = mindlin(s, x, n, mat);
  Eval reused = mindlin({0, 0, 3}, {2, 1, 0.5}, kAxis[0], mat);
  const kernels::KernelPoint k = arguments(s, x, n, mat);
  kernels::Mindlin::solfund(k.nu, k.r, k.r1, k.r2, k.r3, k.rimg, k.zc, k.c, k.z, k.cnu1, k.cnu12,
                            k.cnu34, k.cnu32, k.cnu54, k.cteu, k.ctep, reused.U, reused.P, k.n1,
                            k.n2, k.n3);
  for (int i = 0; i < 9; ++i) {
    ASSERT_TRUE(std::isfinite(fresh.U[i]) && std::isfinite(fresh.P[i])) << i;
    EXPECT_EQ(reused.U[i], fresh.U[i]) << i;
    EXPECT_EQ(reused.P[i], fresh.P[i]) << i;
  }
}

}  // namespace
}  // namespace bem

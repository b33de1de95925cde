#include "bem/kernels/boussinesq_cerruti.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace bem {
namespace {

const double kPi = std::acos(-1.0);

// Test names for the tables of cases: each case carries its own.
template <class Case>
std::string case_name(const ::testing::TestParamInfo<Case>& case_info) {
  return case_info.param.name;
}

struct Eval {
  double U[9], P[9];
  double u(int l, int m) const { return U[(l - 1) + 3 * (m - 1)]; }
  double p(int l, int m) const { return P[(l - 1) + 3 * (m - 1)]; }
};

// Two surface points r1, r2 apart (source at the origin), with the arguments as the
// integration routines form them: A = J/(16 pi G (1 - nu)), B = 2 G A.
kernels::KernelPoint surface_pair(double r1, double r2, double nu, double G = 1.0, double J = 1.0) {
  kernels::KernelPoint k{};
  k.nu = nu;
  k.r1 = r1;
  k.r2 = r2;
  k.r3 = 0.0;
  k.r = std::sqrt(r1 * r1 + r2 * r2);
  k.rimg = k.r;
  k.zc = k.c = k.z = 0.0;
  k.cnu1 = 1.0 - nu;
  k.cnu12 = 1.0 - nu * 2.0;
  k.cnu34 = 3.0 - nu * 4.0;
  k.cnu32 = 3.0 - nu * 2.0;
  k.cnu54 = 5.0 - nu * 4.0;
  k.cteu = J / ((1.0 - nu) * G * kPi * 16.0);
  k.ctep = 2.0 * G * k.cteu;
  k.n1 = 0.0;
  k.n2 = 0.0;
  k.n3 = 1.0;
  return k;
}

// Both results start as `fill`, so an entry the kernel leaves unwritten shows.
Eval evaluate(const kernels::KernelPoint& k,
              double fill = std::numeric_limits<double>::quiet_NaN()) {
  Eval out;
  for (int i = 0; i < 9; ++i) out.U[i] = out.P[i] = fill;
  kernels::BoussinesqCerruti::solfund(k.nu, k.r, k.r1, k.r2, k.r3, k.rimg, k.zc, k.c, k.z, k.cnu1,
                                      k.cnu12, k.cnu34, k.cnu32, k.cnu54, k.cteu, k.ctep, out.U,
                                      out.P, k.n1, k.n2, k.n3);
  return out;
}

// nu = 0.25, G = 1, J = 1 (A = 1/(12 pi), t = 1/(2 pi R)), field point at (1, 0, 0).
TEST(BoussinesqCerruti, WorkedValues) {
  const Eval e = evaluate(surface_pair(1.0, 0.0, 0.25));
  const double expected[3][3] = {{1.0 / (2 * kPi), 0.0, 1.0 / (8 * kPi)},
                                 {0.0, 3.0 / (8 * kPi), 0.0},
                                 {-1.0 / (8 * kPi), 0.0, 3.0 / (8 * kPi)}};
  for (int l = 1; l <= 3; ++l) {
    for (int m = 1; m <= 3; ++m) {
      EXPECT_NEAR(e.u(l, m), expected[l - 1][m - 1], 1e-15) << "U(" << l << "," << m << ")";
      EXPECT_EQ(e.p(l, m), 0.0) << "P(" << l << "," << m << ")";
    }
  }
}

// Cerruti's and Boussinesq's surface displacements written with G, as in the textbooks:
// tangential force along x1, u1 = (1 - nu + nu r1^2/R^2)/(2 pi G R), u2 = nu r1 r2/(2 pi G R^3),
// u3 = (1 - 2nu) r1/(4 pi G R^2); normal force, u3 = (1 - nu)/(2 pi G R),
// u_alpha = -(1 - 2nu) r_alpha/(4 pi G R^2). All times J.
struct TextbookCase {
  const char* name;
  double r1, r2, nu, G, J;
};

const TextbookCase kTextbookCases[] = {
    {"AlongX1", 1.0, 0.0, 0.25, 1.0, 1.0},
    {"AlongX2", 0.0, 2.0, 0.3, 1.0, 1.0},
    {"Oblique", 0.6, -0.8, 0.2, 1.0, 1.0},
    {"NegativeQuadrant", -1.5, -0.4, 0.35, 1.0, 1.0},
    {"StiffScaledRegion", 0.3, 0.7, 0.3, 80.0, 0.02},
    {"NuZero", -0.2, 0.9, 0.0, 2.0, 3.0},
    {"NearlyIncompressible", 2.5, 1.0, 0.49, 0.5, 1.0},
};

class BoussinesqCerrutiTextbook : public ::testing::TestWithParam<TextbookCase> {};

TEST_P(BoussinesqCerrutiTextbook, MatchesSurfaceDisplacements) {
  const TextbookCase& tc = GetParam();
  const Eval e = evaluate(surface_pair(tc.r1, tc.r2, tc.nu, tc.G, tc.J));
  const double R = std::sqrt(tc.r1 * tc.r1 + tc.r2 * tc.r2);
  const double w = tc.J / (2.0 * kPi * tc.G * R);
  const double rr[3] = {tc.r1 / R, tc.r2 / R, 0.0};
  for (int l = 1; l <= 2; ++l) {
    for (int m = 1; m <= 2; ++m) {
      const double expected = w * ((l == m ? 1.0 - tc.nu : 0.0) + tc.nu * rr[l - 1] * rr[m - 1]);
      EXPECT_NEAR(e.u(l, m), expected, 1e-14 * w) << "U(" << l << "," << m << ")";
    }
    EXPECT_NEAR(e.u(l, 3), w * (1.0 - 2.0 * tc.nu) / 2.0 * rr[l - 1], 1e-14 * w)
        << "U(" << l << ",3)";
    EXPECT_NEAR(e.u(3, l), -w * (1.0 - 2.0 * tc.nu) / 2.0 * rr[l - 1], 1e-14 * w)
        << "U(3," << l << ")";
  }
  EXPECT_NEAR(e.u(3, 3), w * (1.0 - tc.nu), 1e-14 * w);
  EXPECT_EQ(e.u(1, 2), e.u(2, 1));
  EXPECT_EQ(e.u(3, 1), -e.u(1, 3));
  EXPECT_EQ(e.u(3, 2), -e.u(2, 3));
}

INSTANTIATE_TEST_SUITE_P(Pairs,
                         BoussinesqCerrutiTextbook,
                         ::testing::ValuesIn(kTextbookCases),
                         case_name<TextbookCase>);

// A normal force pushing into the solid draws the surface toward the load: for nu < 0.5 the
// horizontal displacement under it points back to the source, against r.
TEST(BoussinesqCerruti, NormalForceDrawsSurfaceTowardLoad) {
  const double nus[] = {0.0, 0.1, 0.25, 0.4, 0.499};
  const double offsets[] = {-2.0, -0.3, 0.3, 2.0};
  for (double nu : nus) {
    for (double d : offsets) {
      const Eval x1 = evaluate(surface_pair(d, 0.5, nu));
      EXPECT_LT(x1.u(3, 1) * d, 0.0) << "nu=" << nu << " r1=" << d;
      EXPECT_GT(x1.u(1, 3) * d, 0.0) << "nu=" << nu << " r1=" << d;
      const Eval x2 = evaluate(surface_pair(0.5, d, nu));
      EXPECT_LT(x2.u(3, 2) * d, 0.0) << "nu=" << nu << " r2=" << d;
    }
  }
}

// An incompressible solid has no coupling between tangential and normal surface displacement.
TEST(BoussinesqCerruti, IncompressibleHasNoCoupling) {
  const Eval e = evaluate(surface_pair(0.6, -0.8, 0.5));
  EXPECT_EQ(e.u(1, 3), 0.0);
  EXPECT_EQ(e.u(2, 3), 0.0);
  EXPECT_EQ(e.u(3, 1), 0.0);
  EXPECT_EQ(e.u(3, 2), 0.0);
  // t = 1/(2 pi R) with R = 1: the other entries keep their values.
  const double t = 1.0 / (2.0 * kPi);
  EXPECT_NEAR(e.u(1, 1), t * (0.5 + 0.5 * 0.36), 1e-15);
  EXPECT_NEAR(e.u(2, 2), t * (0.5 + 0.5 * 0.64), 1e-15);
  EXPECT_NEAR(e.u(1, 2), t * 0.5 * -0.48, 1e-15);
  EXPECT_NEAR(e.u(3, 3), t * 0.5, 1e-15);
}

// Depth enters only through R: the arguments the kernel does not read leave every entry as it
// is, bit for bit.
struct UnreadArgument {
  const char* name;
  void (*change)(kernels::KernelPoint&);
};

const UnreadArgument kUnreadArguments[] = {
    {"TractionScale", [](kernels::KernelPoint& k) { k.ctep = -7.5; }},
    {"Normal",
     [](kernels::KernelPoint& k) {
       k.n1 = 0.48;
       k.n2 = 0.6;
       k.n3 = 0.64;
     }},
    {"R3", [](kernels::KernelPoint& k) { k.r3 = 0.9; }},
    {"Zc", [](kernels::KernelPoint& k) { k.zc = 1.7; }},
    {"SourceDepth", [](kernels::KernelPoint& k) { k.c = 2.3; }},
    {"FieldDepth", [](kernels::KernelPoint& k) { k.z = 0.4; }},
    {"Distance", [](kernels::KernelPoint& k) { k.r = 0.1; }},
    {"MaterialCombinations",
     [](kernels::KernelPoint& k) {
       k.cnu1 = k.cnu12 = k.cnu34 = 11.0;
       k.cnu32 = k.cnu54 = -3.0;
     }},
    {"AllTogether",
     [](kernels::KernelPoint& k) {
       k.r = 5.0, k.r3 = -1.0, k.zc = 4.0, k.c = 2.5, k.z = 1.5, k.ctep = 0.0;
       k.n1 = 1.0, k.n2 = 0.0, k.n3 = 0.0;
     }},
};

class BoussinesqCerrutiUnread : public ::testing::TestWithParam<UnreadArgument> {};

TEST_P(BoussinesqCerrutiUnread, LeavesResultsUnchanged) {
  kernels::KernelPoint k = surface_pair(0.6, -0.8, 0.3, 1.5, 0.7);
  k.rimg = 1.3;  // an off-surface pair: R is what the kernel sees of the depth
  const Eval base = evaluate(k);
  GetParam().change(k);
  const Eval changed = evaluate(k);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(changed.U[i], base.U[i]) << "U entry " << i;
    EXPECT_EQ(changed.P[i], base.P[i]) << "P entry " << i;
  }
  // R itself does enter.
  k.rimg = 2.6;
  EXPECT_NEAR(evaluate(k).u(3, 3), base.u(3, 3) / 2.0, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(Arguments,
                         BoussinesqCerrutiUnread,
                         ::testing::ValuesIn(kUnreadArguments),
                         case_name<UnreadArgument>);

// The traction kernel is zero and written on every call, whatever the buffers held before.
TEST(BoussinesqCerruti, WritesZeroTractionsOverGarbage) {
  const double garbage[] = {std::numeric_limits<double>::quiet_NaN(), 12345.0,
                            -std::numeric_limits<double>::infinity()};
  for (double fill : garbage) {
    const Eval e = evaluate(surface_pair(0.3, 0.4, 0.25), fill);
    for (int i = 0; i < 9; ++i) {
      EXPECT_EQ(e.P[i], 0.0) << "P entry " << i << " over " << fill;
      EXPECT_TRUE(std::isfinite(e.U[i]) && e.U[i] != fill) << "U entry " << i << " over " << fill;
    }
  }
}

}  // namespace
}  // namespace bem

// The element integrators with a kernel whose integrals are known.
#include <gtest/gtest.h>

#include <cmath>

#include "bem/calculo.h"
#include "bem/kernels/kelvin.h"
#include "test_support.h"

namespace bem {
namespace {

// U = A I and P = B I: the blocks then hold the integrals of the shape functions times A, B.
struct IdentityKernel {
  static void solfund(double,
                      double,
                      double,
                      double,
                      double,
                      double,
                      double,
                      double,
                      double,
                      double,
                      double,
                      double,
                      double,
                      double,
                      double cteu,
                      double ctep,
                      double* ufund,
                      double* pfund,
                      double,
                      double,
                      double) {
    for (int k = 0; k < 9; ++k) {
      ufund[k] = k % 4 == 0 ? cteu : 0.0;
      pfund[k] = k % 4 == 0 ? ctep : 0.0;
    }
  }
};

class Integrators : public ::testing::Test {
 protected:
  Problem p = test::make_problem({{0, 0, 0}, {2, 0, 0.5}, {0.3, 1.5, 0}}, {{1, 2, 3}}, 2.6, 0.3);
  HammerRule rule = hammer7();
  double cteu() const { return p.area(1, 1) / ((1.0 - p.pois) * p.gmod * p.pi * 16.0); }

  void expect_shape_integrals(const ElementBlock& ge,
                              const ElementBlock& he,
                              double value,
                              double tol) {
    for (int l = 1; l <= 3; ++l) {
      for (int col = 1; col <= 9; ++col) {
        const bool diagonal = (col - 1) % 3 + 1 == l;
        EXPECT_NEAR(ge(l, col), diagonal ? value : 0.0, tol) << l << "," << col;
        EXPECT_NEAR(he(l, col), 2 * p.gmod * ge(l, col), 1e-15 * value) << l << "," << col;
      }
    }
  }
};

TEST_F(Integrators, RegularRuleKeepsTheTotalWeightWhateverTheSubdivision) {
  const double s[3] = {0.5, 0.4, 0.1};
  const double a = mean_side(p, 1);
  for (double dmin : {3 * a, 1.5 * a, 0.5 * a, 0.0}) {
    ElementBlock ge{}, he{};
    intregular<IdentityKernel>(p, rule, s, a, cteu(), 1, dmin, true, ge, he);
    expect_shape_integrals(ge, he, 0.99999999 * cteu() / 3, 1e-9 * cteu());
  }
}

struct PolarCountCase {
  double b;
  std::vector<std::vector<int>> points;  // per angle, the Gauss points of each interval
};

TEST(RadialIntervals, IntervalsAndPointsPerAngle) {
  const numerics::GaussRule angular = numerics::cached_gauss_rule(6);
  const double pi = std::acos(-1.0);
  const std::vector<int> ten = {2, 2, 2, 3, 3, 3, 3, 4, 4, 4}, nine = {2, 2, 3, 3, 3, 3, 4, 4, 4};
  const PolarCountCase cases[] = {
      {kPolarDefaultBase, {ten, nine, nine, nine, nine, ten}},
      {0.5, std::vector<std::vector<int>>(6, {2, 3, 4})},
      {0.95, std::vector<std::vector<int>>(6, {3})},  // b^3 passes every edge: one interval
      {0.3,
       {{2, 2, 3, 3, 3, 4, 4},
        {2, 2, 3, 3, 4, 4},
        {2, 2, 3, 3, 4, 4},
        {2, 2, 3, 3, 4, 4},
        {2, 2, 3, 3, 4, 4},
        {2, 2, 3, 3, 3, 4, 4}}},
  };
  for (const auto& c : cases) {
    for (int ia = 0; ia < 6; ++ia) {
      const double theta = (angular.x[ia] + 1.0) * (pi / 4.0);
      const RadialIntervals iv = radial_intervals(c.b, 1.0 / (std::cos(theta) + std::sin(theta)));
      std::vector<int> got;
      for (int j = 1; j <= iv.nint; ++j) got.push_back(radial_points(j, iv.nint));
      EXPECT_EQ(got, c.points[static_cast<std::size_t>(ia)]) << "b=" << c.b << " angle " << ia + 1;
    }
  }
}

TEST_F(Integrators, PolarRuleIntegratesTheShapeFunctionsAboutEveryNode) {
  const double s[3] = {0.1, 0.1, 0.2};
  const double exact = p.area(1, 1) / (48 * p.pi * p.gmod * (1 - p.pois));
  for (double fator : {0.0, 0.3, 0.5, 0.89, 0.95, 1.5}) {
    p.fator = fator;
    for (int knear = 1; knear <= 3; ++knear) {
      ElementBlock ge{}, he{};
      intpolar<IdentityKernel>(p, s, 1, knear, ge, he);
      expect_shape_integrals(ge, he, exact, 5e-6 * exact);
    }
  }
}

// Far from the element the polar and the regular rules must agree on the real kernel.
TEST_F(Integrators, PolarAndRegularAgreeForAModeratelyDistantSource) {
  const double s[3] = {0.6, 0.5, 1.2};
  ElementBlock gr{}, hr{}, gp{}, hp{};
  const double a = mean_side(p, 1);
  intregular<kernels::Kelvin>(p, rule, s, a, cteu(), 1, 0.5 * a, true, gr, hr);
  intpolar<kernels::Kelvin>(p, s, 1, 1, gp, hp);
  double gmax = 0, hmax = 0;
  for (int k = 0; k < 27; ++k) {
    gmax = std::max(gmax, std::abs(gr.v[k]));
    hmax = std::max(hmax, std::abs(hr.v[k]));
  }
  for (int k = 0; k < 27; ++k) {
    EXPECT_NEAR(gp.v[k], gr.v[k], 1e-5 * gmax) << k;
    EXPECT_NEAR(hp.v[k], hr.v[k], 1e-4 * hmax) << k;
  }
}

TEST_F(Integrators, ReversedNodeOrderKeepsGAndFlipsH) {
  Problem q = test::make_problem({{0, 0, 0}, {2, 0, 0.5}, {0.3, 1.5, 0}}, {{1, 3, 2}}, 2.6, 0.3);
  const double s[3] = {3, 2, 1};
  const double a = mean_side(p, 1);
  ElementBlock g1{}, h1{}, g2{}, h2{};
  intregular<kernels::Kelvin>(p, rule, s, a, cteu(), 1, 3.5, true, g1, h1);
  intregular<kernels::Kelvin>(q, rule, s, a, cteu(), 1, 3.5, true, g2, h2);
  // Local nodes 2 and 3 are exchanged in q.
  const int node_of[3] = {1, 3, 2};
  for (int l = 1; l <= 3; ++l) {
    for (int k = 1; k <= 3; ++k) {
      for (int m = 1; m <= 3; ++m) {
        const int c1 = 3 * (k - 1) + m, c2 = 3 * (node_of[k - 1] - 1) + m;
        EXPECT_NEAR(g2(l, c2), g1(l, c1), 1e-15);
        EXPECT_NEAR(h2(l, c2), -h1(l, c1), 1e-15);
      }
    }
  }
}

TEST_F(Integrators, SingularRuleHasLogarithmsOnlyInTheSourceNodeColumns) {
  Problem flat = test::make_problem({{0, 0, 0}, {3, 0, 0}, {1, 2, 0}}, {{1, 2, 3}}, 1.0, 0.25);
  ElementBlock ge{}, he{};
  intsingular(flat, 1, 1, ge, he);
  // Flat element in x3 = 0 with normal e3: h couples in-plane forces to the normal component
  // only, through the antisymmetric term, and never in-plane to in-plane.
  for (int k = 1; k <= 3; ++k) {
    for (int l = 1; l <= 3; ++l) {
      for (int m = 1; m <= 3; ++m) {
        const double v = he(l, 3 * (k - 1) + m);
        if ((l == 3) == (m == 3)) {
          EXPECT_EQ(v, 0.0) << l << "," << k << "," << m;
        } else {
          EXPECT_NEAR(v, -he(m, 3 * (k - 1) + l), 1e-15) << l << "," << k << "," << m;
        }
      }
    }
  }
  // Scaling the element by s multiplies the non-logarithmic parts by s and leaves the
  // columns of nodes 2 and 3 of h unchanged (they hold no ln rho terms), while node 1's
  // columns change by ln(s) times the angular integral.
  Problem big = test::make_problem({{0, 0, 0}, {6, 0, 0}, {2, 4, 0}}, {{1, 2, 3}}, 1.0, 0.25);
  ElementBlock gb{}, hb{};
  intsingular(big, 1, 1, gb, hb);
  for (int l = 1; l <= 3; ++l) {
    for (int col = 1; col <= 9; ++col) {
      EXPECT_NEAR(gb(l, col), 2 * ge(l, col), 1e-14) << l << "," << col;
      if (col > 3) {
        EXPECT_NEAR(hb(l, col), he(l, col), 1e-14) << l << "," << col;
      }
    }
  }
  EXPECT_GT(std::abs(hb(1, 3) - he(1, 3)), 1e-3);
}

// The semi-analytic g block against a polar rule that approaches the node very closely.
TEST_F(Integrators, SingularGAgreesWithANumericalLimit) {
  Problem flat = test::make_problem({{0, 0, 0}, {3, 0, 0}, {1, 2, 0}}, {{1, 2, 3}}, 1.0, 0.25);
  ElementBlock ge{}, he{};
  intsingular(flat, 1, 1, ge, he);
  flat.fator = 0.02;  // first radial interval 8e-6 long
  const double s[3] = {0, 0, 1e-9};
  ElementBlock gp{}, hp{};
  intpolar<kernels::Kelvin>(flat, s, 1, 1, gp, hp);
  for (int l = 1; l <= 3; ++l) {
    for (int col = 1; col <= 9; ++col) EXPECT_NEAR(ge(l, col), gp(l, col), 1e-4) << l << "," << col;
  }
}

}  // namespace
}  // namespace bem

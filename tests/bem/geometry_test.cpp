// Element properties, triangle geometry and the Hammer rules.
#include <gtest/gtest.h>

#include <cmath>

#include "bem/hammer.h"
#include "bem/triangulo.h"
#include "test_support.h"

namespace bem {
namespace {

const double kPi = std::acos(-1.0);
const double kDeg = 180.0 / kPi;

TEST(ElementProperties, SidesNormalAreaAndOrientation) {
  // Points 5, 9, 7 of a larger set: side 2 runs from point 9 to point 7.
  std::vector<std::array<double, 3>> pts(9, {0, 0, 0});
  pts[4] = {0, 0, 0};
  pts[8] = {3, 0, 0};
  pts[6] = {0, 4, 0};
  Problem p = test::make_problem(pts, {{5, 9, 7}, {5, 7, 9}});
  EXPECT_DOUBLE_EQ(p.lado(1, 1), 3.0);
  EXPECT_DOUBLE_EQ(p.lado(1, 2), 5.0);
  EXPECT_DOUBLE_EQ(p.lado(1, 3), 4.0);
  EXPECT_DOUBLE_EQ(p.ladomax(1, 1), 5.0);
  EXPECT_DOUBLE_EQ(p.area(1, 1), 6.0);
  EXPECT_DOUBLE_EQ(p.normal(1, 3), 1.0);
  EXPECT_DOUBLE_EQ(p.normal(2, 3), -1.0);  // reversed node order reverses the normal
  EXPECT_EQ(p.normal(1, 1), 0.0);
}

class LocalGeometry : public ::testing::Test {
 protected:
  Problem p = test::make_problem({{0, 0, 0}, {3, 0, 0}, {1, 2, 0}}, {{1, 2, 3}});
};

TEST_F(LocalGeometry, CoordlocalForEachNode) {
  const struct {
    int p1, p2, p3;
    double xl[3], yl[3], alpha;
  } cases[] = {
      {1, 2, 3, {0, 3, 1}, {0, 0, 2}, std::acos(1 / std::sqrt(5.0)) * kDeg},
      {2, 3, 1, {3 / std::sqrt(2.0), 0, 2 * std::sqrt(2.0)}, {3 / std::sqrt(2.0), 0, 0}, 45},
      {3,
       1,
       2,
       {std::sqrt(5.0), 2 / std::sqrt(5.0), 0},
       {0, 6 / std::sqrt(5.0), 0},
       std::acos(1 / std::sqrt(10.0)) * kDeg},
  };
  for (const auto& c : cases) {
    const LocalCoordinates local = coordlocal(p, 1, c.p1, c.p2, c.p3);
    EXPECT_NEAR(local.alpha, c.alpha, 1e-12) << c.p1;
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(local.xl[k], c.xl[k], 1e-13) << c.p1 << " node " << k + 1;
      EXPECT_NEAR(local.yl[k], c.yl[k], 1e-13) << c.p1 << " node " << k + 1;
    }
    // The shape functions from the edge coefficients sum to 1: the coefficients sum to zero.
    double asum = 0, bsum = 0;
    for (int k = 1; k <= 3; ++k) {
      asum += coeflado(k, local).a;
      bsum += coeflado(k, local).b;
    }
    EXPECT_NEAR(asum, 0, 1e-13);
    EXPECT_NEAR(bsum, 0, 1e-13);
    // L_k from the coefficients is 1 at node k and 0 at the others.
    for (int k = 1; k <= 3; ++k) {
      const EdgeCoefficients ab = coeflado(k, local);
      for (int at = 1; at <= 3; ++at) {
        const double L = (k == c.p1 ? 1.0 : 0.0) +
                         (ab.b * local.xl[at - 1] + ab.a * local.yl[at - 1]) / (2 * 3.0);
        EXPECT_NEAR(L, k == at ? 1.0 : 0.0, 1e-13);
      }
    }
  }
}

TEST_F(LocalGeometry, SistlocalRows) {
  const Frame f = sistlocal(p, 1, 2, 3);
  const double s = 1 / std::sqrt(2.0);
  const double expected[3][3] = {{-s, s, 0}, {-s, -s, 0}, {0, 0, 1}};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(f.t[r][c], expected[r][c], 1e-15);
  }
}

TEST_F(LocalGeometry, PolarAreaCoordinatesReachTheOppositeEdge) {
  for (int k = 1; k <= 3; ++k) {
    for (double theta : {0.0, kPi / 4, kPi / 2, 0.3}) {
      const double rhomax = 1 / (std::cos(theta) + std::sin(theta));
      double L[3];
      polar_area_coordinates(k, rhomax, std::cos(theta), std::sin(theta), L);
      EXPECT_NEAR(L[k - 1], 0.0, 1e-15);
      EXPECT_NEAR(L[0] + L[1] + L[2], 1.0, 1e-15);
    }
  }
  EXPECT_NEAR(1 / (std::cos(kPi / 4) + std::sin(kPi / 4)), 1 / std::sqrt(2.0), 1e-15);
  const double L[3] = {0.2, 0.3, 0.5};
  const Point3 x = point_map(p, 1, L);
  EXPECT_DOUBLE_EQ(x.x[0], 0.3 * 3 + 0.5 * 1);
  EXPECT_DOUBLE_EQ(x.x[1], 0.5 * 2);
}

// Integral over the reference triangle (area 1/2) of L1^i L2^j L3^k: i! j! k! 2! / (i+j+k+2)!
// times the area.
double exact_monomial(int i, int j, int k) {
  return std::tgamma(i + 1) * std::tgamma(j + 1) * std::tgamma(k + 1) * 2 /
         std::tgamma(i + j + k + 3);
}

struct HammerCase {
  int n;
  int degree;  // polynomial degree integrated exactly
  double weight_sum;
  double tolerance;
};

class HammerRules : public ::testing::TestWithParam<HammerCase> {};

TEST_P(HammerRules, IntegrateMonomialsUpToTheirDegree) {
  const HammerCase c = GetParam();
  std::vector<double> coord(static_cast<std::size_t>(3 * c.n)), peso(static_cast<std::size_t>(c.n));
  hammer(c.n, coord.data(), peso.data());
  double wsum = 0;
  for (double w : peso) wsum += w;
  EXPECT_NEAR(wsum, c.weight_sum, 1e-14);
  for (int i = 0; i <= c.degree; ++i) {
    for (int j = 0; i + j <= c.degree; ++j) {
      const int k = c.degree - i - j;
      double sum = 0;
      for (int q = 0; q < c.n; ++q) {
        sum += peso[q] * std::pow(coord[q], i) * std::pow(coord[q + c.n], j) *
               std::pow(coord[q + 2 * c.n], k);
      }
      EXPECT_NEAR(sum, exact_monomial(i, j, k), c.tolerance) << i << j << k;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Rules,
                         HammerRules,
                         ::testing::Values(HammerCase{1, 1, 1.0, 1e-15},
                                           HammerCase{3, 2, 1.0, 1e-15},
                                           HammerCase{4, 3, 1.0, 1e-15},
                                           HammerCase{7, 5, 0.99999999, 2e-8},
                                           HammerCase{13, 7, 1.0, 1e-13}),
                         [](const auto& param_info) {
                           return "n" + std::to_string(param_info.param.n);
                         });

TEST(Hammer, SevenPointTableAndUnknownCounts) {
  const HammerRule r = hammer7();
  EXPECT_EQ(r.L(2, 1), 0.79742699);
  EXPECT_EQ(r.L(3, 2), 0.79742699);
  EXPECT_EQ(r.L(7, 1), 0.47014206);
  EXPECT_EQ(r.peso[4], 0.13239415);
  for (int n : {2, 5, 6, 8}) {
    double coord[39], peso[13];
    for (double& v : coord) v = -7.0;
    for (double& v : peso) v = -7.0;
    hammer(n, coord, peso);
    for (double v : coord) EXPECT_EQ(v, -7.0) << n;
    for (double v : peso) EXPECT_EQ(v, -7.0) << n;
  }
}

}  // namespace
}  // namespace bem

#include "bem/subelementacao.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_support.h"

namespace bem {
namespace {

TEST(Nsubel, CountsByDistanceBandAndMultiplier) {
  const struct {
    double a, d, fator;
    bool on_node_band;
    int expected;
  } cases[] = {
      {1, 3, 0, true, 1},
      {1, 2, 0, true, 16},
      {1, 1, 0, true, 49},
      {1, 1e-7, 0, true, 49},
      {1, 0, 0, true, 1},
      {1, 9e-9, 0, true, 1},
      {1, 0, 0, false, 49},
      {1, 2.5, 0.05, true, 1},
      {1, 1.5, 0.05, true, 121},
      {1, 0.5, 0.05, true, 196},
      {1, 1.5, 0.1, true, 49},
      {1, 0.5, 0.1, true, 100},
      {1, 1.5, 0.3, true, 9},
      {1, 0.5, 0.3, true, 36},
      {1, 1.5, 0.4, true, 4},
      {1, 0.5, 0.4, true, 25},
      {1, 1.5, 0.5, true, 1},
      {1, 0.5, 0.9, true, 16},
      {1, 0.5, 9.999999974752427e-7, true, 49},  // not above single-precision 1e-6: sqrt(50)
      {1, 0.5, 1e-6, true, 3162 * 3162},         // the double 1e-6 is above it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(nsubel(c.a, c.d, c.fator, c.on_node_band), c.expected)
        << "d=" << c.d << " fator=" << c.fator << " band=" << c.on_node_band;
  }
}

std::array<double, 3> vertex(const std::vector<double>& s, int nsub, int t, int v) {
  std::array<double, 3> L{};
  for (int c = 0; c < 3; ++c)
    L[c] = s[static_cast<std::size_t>((t - 1) + nsub * c + 3 * nsub * (v - 1))];
  return L;
}

TEST(Subtri, FourSubTrianglesAndTheSeventhOfSixteen) {
  std::vector<double> s4(36);
  subtri(4, s4.data());
  const double h = 0.5;
  const std::array<std::array<std::array<double, 3>, 3>, 4> expected = {{
      {{{1, 0, 0}, {h, h, 0}, {h, 0, h}}},
      {{{h, h, 0}, {0, 1, 0}, {0, h, h}}},
      {{{h, h, 0}, {0, h, h}, {h, 0, h}}},
      {{{h, 0, h}, {0, h, h}, {0, 0, 1}}},
  }};
  for (int t = 1; t <= 4; ++t) {
    for (int v = 1; v <= 3; ++v) EXPECT_EQ(vertex(s4, 4, t, v), expected[t - 1][v - 1]);
  }
  std::vector<double> s16(16 * 9);
  subtri(16, s16.data());
  const double q = 0.25;
  EXPECT_EQ(vertex(s16, 16, 7, 1), (std::array<double, 3>{h, q, q}));
  EXPECT_EQ(vertex(s16, 16, 7, 2), (std::array<double, 3>{q, h, q}));
  EXPECT_EQ(vertex(s16, 16, 7, 3), (std::array<double, 3>{q, q, h}));
}

// Every sub-triangle has the same sense and area 1/nsub of the element, and together they
// cover it: the rule points mapped into them integrate L1 L2 exactly like the element rule.
TEST(Subtri, CongruentSameSenseAndCovering) {
  const HammerRule rule = hammer7();
  for (int nsub : {1, 4, 9, 16, 49, 196}) {
    const double* s = subtri_table(nsub);
    double total = 0, moment = 0;
    for (int t = 1; t <= nsub; ++t) {
      const auto at = [&](int v, int c) {
        return s[(t - 1) + nsub * (c - 1) + 3 * nsub * (v - 1)];
      };
      const double signed_area = (at(2, 2) - at(1, 2)) * (at(3, 3) - at(1, 3)) -
                                 (at(3, 2) - at(1, 2)) * (at(2, 3) - at(1, 3));
      EXPECT_NEAR(signed_area, 1.0 / nsub, 1e-14) << nsub << " " << t;
      total += signed_area;
      for (int q = 1; q <= 7; ++q) {
        double L[3];
        mapsub(nsub, t, s, rule, q, L);
        moment += rule.peso[q - 1] * L[0] * L[1] / nsub;
      }
    }
    EXPECT_NEAR(total, 1.0, 1e-12);
    EXPECT_NEAR(moment, 1.0 / 12.0, 2e-8) << nsub;  // 2 * integral of L1 L2 = 2 * 1/24
  }
}

class Pontofora : public ::testing::Test {
 protected:
  static Problem square(double fator, bool fifth) {
    std::vector<std::array<double, 3>> pts = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    std::vector<std::array<int, 3>> els = {{1, 2, 3}, {1, 3, 4}};
    if (fifth) {
      pts.push_back({0.0005, 0, 0});
      els.push_back({5, 2, 3});
    }
    return test::make_problem(pts, els, 1.0, 0.25, 2, fator);
  }
};

TEST_F(Pontofora, SquareMovesEveryPointAlongTheNormal) {
  Problem p = square(0.5, false);
  pontofora(p, "test");
  for (int i = 1; i <= 4; ++i) {
    EXPECT_DOUBLE_EQ(p.fonte(i, 1), p.coord(i, 1));
    EXPECT_DOUBLE_EQ(p.fonte(i, 2), p.coord(i, 2));
    EXPECT_NEAR(p.fonte(i, 3), 0.5 * std::sqrt(2.0), 1e-15);
  }
}

TEST_F(Pontofora, TooCloseToAnEarlierPointIsPlacedAgainWithAQuarterLess) {
  Problem p = square(0.5, true);
  pontofora(p, "test");
  // Point 5's elements: (1,2,3)? no; only (5,2,3), normal (0,0,1), longest side about 1.414.
  const double lmax = p.ladomax(3, 1);
  EXPECT_NEAR(p.fonte(5, 3), 0.375 * lmax, 1e-15);
  EXPECT_DOUBLE_EQ(p.fonte(5, 1), 0.0005);
}

TEST(PontoforaPoints, InternalPointKeepsItsPosition) {
  Problem p = test::make_problem({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0.2, 0.2, -1}}, {{1, 2, 3}},
                                 1.0, 0.25, 2, 0.5, 1);
  pontofora(p, "test");
  for (int c = 1; c <= 3; ++c) EXPECT_EQ(p.fonte(4, c), p.coord(4, c));
  EXPECT_TRUE(std::isfinite(p.fonte(1, 3)));
}

using PontoforaDeath = Pontofora;

TEST_F(PontoforaDeath, CancellingNormalsEndTheProcessNamingThePoint) {
  // Two coincident triangles of opposite orientation: the normals at each node cancel.
  Problem p = test::make_problem({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{1, 2, 3}, {1, 3, 2}}, 1.0,
                                 0.25, 2, 0.5);
  EXPECT_EXIT(
      {
        test::stdout_to_stderr();
        pontofora(p, "kelvin3d");
      },
      ::testing::ExitedWithCode(1), "FATAL 3 from kelvin3d: .*point 1 cancel");
}

TEST_F(PontoforaDeath, EndlessRetriesAreBoundedAndNameBothPoints) {
  // Two unmerged points at the same place and a small multiplier: every candidate of point 4
  // lies within 0.001 of point 1's source point, whatever the retry.
  Problem p = test::make_problem({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}},
                                 {{1, 2, 3}, {4, 2, 3}}, 1.0, 0.25, 2, 1e-5);
  EXPECT_EXIT(
      {
        test::stdout_to_stderr();
        pontofora(p, "kelvin3d");
      },
      ::testing::ExitedWithCode(1), "point 4 still lies within 0.001 of .*point 1");
}

}  // namespace
}  // namespace bem

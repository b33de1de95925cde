// The half-space libraries' traits on a mesh lying on the free surface x3 = 0.
#include <gtest/gtest.h>

#include <cmath>

#include "bem/calculo.h"
#include "bem/matrizgeqf.h"
#include "libs/bemdeep/traits.h"
#include "libs/bemsurf/traits.h"
#include "test_support.h"

namespace bem {
namespace {

class SurfaceMesh : public ::testing::Test {
 protected:
  // A square of four triangles around a centre point, in x3 = 0.
  Problem p = test::make_problem({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0.5, 0.5, 0}},
                                 {{1, 5, 2}, {2, 5, 3}, {3, 5, 4}, {4, 5, 1}}, 3.0, 0.3);
  HammerRule rule = hammer7();
};

TEST_F(SurfaceMesh, MindlinAndBoussinesqCerrutiGiveTheSameGAndAnIdentityH) {
  Matrix gd(p.ngl, p.ngl, "g"), hd(p.ngl, p.ngl, "h"), gs(p.ngl, p.ngl, "g"), hs(p.ngl, p.ngl, "h");
  assemble<MindlinTraits>(p, rule, gd, hd);
  assemble<BoussinesqCerrutiTraits>(p, rule, gs, hs);
  diagonal_blocks(p, MindlinTraits::diagonal_base, hd);
  diagonal_blocks(p, BoussinesqCerrutiTraits::diagonal_base, hs);
  double gmax = 0;
  for (index_t k = 0; k < p.ngl * p.ngl; ++k) gmax = std::max(gmax, std::abs(gs.data()[k]));
  for (index_t i = 1; i <= p.ngl; ++i) {
    for (index_t j = 1; j <= p.ngl; ++j) {
      EXPECT_NEAR(gd(i, j), gs(i, j), 1e-13 * gmax) << i << "," << j;
      const bool same_point = (i - 1) / 3 == (j - 1) / 3;
      const double identity = i == j ? 1.0 : 0.0;
      EXPECT_EQ(hs(i, j), same_point ? identity : 0.0) << i << "," << j;
      EXPECT_NEAR(hd(i, j), same_point ? identity : 0.0, 1e-13) << i << "," << j;
    }
  }
}

TEST_F(SurfaceMesh, BoussinesqCerrutiRigidezDoesNotDependOnH) {
  Matrix g(p.ngl, p.ngl, "g"), h(p.ngl, p.ngl, "h");
  assemble<BoussinesqCerrutiTraits>(p, rule, g, h);
  Matrix g2 = g.clone("g2"), h2 = h.clone("h2");
  for (index_t k = 0; k < p.ngl * p.ngl; ++k) h2.data()[k] = std::sin(1.0 + static_cast<double>(k));
  std::vector<double> r1(static_cast<std::size_t>(p.ngl * p.ngl)), r2(r1.size());
  matrizgeqf(p, g, h, BoussinesqCerrutiTraits::h_in_rigidez, r1.data());
  matrizgeqf(p, g2, h2, BoussinesqCerrutiTraits::h_in_rigidez, r2.data());
  EXPECT_EQ(r1, r2);
}

// A source on a node of the element is integrated by the whole-element 7-point rule in the
// half-space libraries: the block equals the regular rule with one sub-triangle.
TEST_F(SurfaceMesh, SourceOnANodeTakesTheRegularRuleWithOneSubTriangle) {
  const double s[3] = {0.5, 0.5, 0.0};  // point 5, node 2 of element 1
  ElementBlock ge{}, he{}, gr{}, hr{};
  element_blocks<BoussinesqCerrutiTraits>(p, rule, s, 1, ge, he);
  const double cteu = p.area(1, 1) / ((1.0 - p.pois) * p.gmod * p.pi * 16.0);
  intregular<kernels::BoussinesqCerruti>(p, rule, s, mean_side(p, 1), cteu, 1, 3 * mean_side(p, 1),
                                         true, gr, hr);
  for (int k = 0; k < 27; ++k) EXPECT_EQ(ge.v[k], gr.v[k]) << k;
}

}  // namespace
}  // namespace bem

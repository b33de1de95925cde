#include "tools/bemrun/checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tests/tools/bemrun/model_text.h"

namespace {

using bemrun::Mesh;
using bemrun_test::element_row;
using bemrun_test::ModelText;
using bemrun_test::node_row;

constexpr double kEps = std::numeric_limits<double>::epsilon();

// The regular tetrahedron of ModelText: vertices at distance sqrt(3), faces of area 2 sqrt(3).
Mesh tetrahedron() {
  return bemrun::parse_model(ModelText().text(), "tetra");
}

// The unit square (0,0,0), (1,0,0), (1,1,0), (0,1,0) as the triangles (1,2,3) and (1,3,4).
Mesh square() {
  ModelText model;
  model.nodes = {node_row(1, 0, 0, 0), node_row(2, 1, 0, 0), node_row(3, 1, 1, 0),
                 node_row(4, 0, 1, 0)};
  model.elements = {element_row(1, {1, 2, 3}), element_row(2, {1, 3, 4})};
  return bemrun::parse_model(model.recount().text(), "square");
}

std::size_t dof(int point, int k) {
  return 3 * static_cast<std::size_t>(point - 1) + (k - 1);
}

// Block matrix L (x) I3 for the graph Laplacian L of the complete graph on n points: every
// direction's rows sum to zero, so rigid translations give no force.
std::vector<double> laplacian(int n) {
  const auto ngl = static_cast<std::size_t>(3 * n);
  std::vector<double> r(ngl * ngl, 0.0);
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      for (int k = 1; k <= 3; ++k) r[dof(i, k) + ngl * dof(j, k)] = i == j ? n - 1.0 : -1.0;
    }
  }
  return r;
}

TEST(BemrunNodalGeometryTest, SquareAreasAreThirdsOfTheElementsAndNormalsAreTheirs) {
  const bemrun::NodalGeometry g = bemrun::nodal_geometry(square());
  // Points 1 and 3 lie on both triangles (area 1/2 each), points 2 and 4 on one.
  const std::vector<double> area = {1.0 / 3, 1.0 / 6, 1.0 / 3, 1.0 / 6};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(g.area[i], area[i], 4 * kEps) << "point " << i + 1;
    EXPECT_EQ(g.normal[i], (std::array<double, 3>{0, 0, 1})) << "point " << i + 1;
  }
}

TEST(BemrunNodalGeometryTest, TetrahedronNormalsPointOutAlongTheVertices) {
  const Mesh mesh = tetrahedron();
  const bemrun::NodalGeometry g = bemrun::nodal_geometry(mesh);
  for (int i = 1; i <= 4; ++i) {
    const auto p = static_cast<std::size_t>(i - 1);
    EXPECT_NEAR(g.area[p], 2 * std::sqrt(3.0), 16 * kEps) << "point " << i;
    for (int k = 1; k <= 3; ++k) {
      EXPECT_NEAR(g.normal[p][static_cast<std::size_t>(k - 1)], mesh.x(i, k) / std::sqrt(3.0),
                  4 * kEps)
          << "point " << i << " direction " << k;
    }
  }
}

TEST(BemrunTranslationCheckTest, ZeroRowSumsGiveZeroResidualInEveryDirection) {
  const bemrun::TranslationCheck check = bemrun::rigid_translation_check(laplacian(4), 12);
  EXPECT_EQ(check.max_row_sum, 6.0);
  EXPECT_EQ(check.residual, (std::array<double, 3>{0, 0, 0}));
}

TEST(BemrunTranslationCheckTest, OneDisturbedEntryShowsOnlyInItsDirection) {
  std::vector<double> r = laplacian(4);
  // Point 1's x row, point 2's x column: -1 becomes -0.5, so that row gives 0.5 under u = x.
  r[dof(1, 1) + 12 * dof(2, 1)] = -0.5;
  const bemrun::TranslationCheck check = bemrun::rigid_translation_check(r, 12);
  EXPECT_EQ(check.max_row_sum, 6.0);
  EXPECT_DOUBLE_EQ(check.residual[0], 0.5 / 6.0);
  EXPECT_EQ(check.residual[1], 0.0);
  EXPECT_EQ(check.residual[2], 0.0);
}

TEST(BemrunTranslationCheckTest, CouplingOfDirectionsIsSeen) {
  std::vector<double> r = laplacian(4);
  // A z force from an x displacement: u = x gives 2 on point 3's z row.
  r[dof(3, 3) + 12 * dof(4, 1)] = 2.0;
  const bemrun::TranslationCheck check = bemrun::rigid_translation_check(r, 12);
  EXPECT_EQ(check.max_row_sum, 8.0);
  EXPECT_DOUBLE_EQ(check.residual[0], 2.0 / 8.0);
  EXPECT_EQ(check.residual[1], 0.0);
}

struct Material {
  const char* name;
  double emod;
  double pois;
};

void PrintTo(const Material& c, std::ostream* os) {
  *os << c.name;
}

class BemrunDilatationCheckTest : public testing::TestWithParam<Material> {};

// On the tetrahedron f_i = s strain x_i gives p_i = s strain |x_i| / A_i = s strain / 2, so
// s = 6 K reproduces the exact pressure 3 K strain at every point.
std::vector<double> exact_dilatation_matrix(double bulk) {
  std::vector<double> r(144, 0.0);
  for (std::size_t d = 0; d < 12; ++d) r[d + 12 * d] = 6.0 * bulk;
  return r;
}

TEST_P(BemrunDilatationCheckTest, ExactResponseHasNoError) {
  const auto [name, emod, pois] = GetParam();
  const double bulk = emod / (3 * (1 - 2 * pois));
  const bemrun::DilatationCheck check =
      bemrun::dilatation_check(exact_dilatation_matrix(bulk), tetrahedron(), emod, pois, 2e-3);
  EXPECT_DOUBLE_EQ(check.exact_pressure, emod * 2e-3 / (1 - 2 * pois));
  EXPECT_EQ(check.strain, 2e-3);
  EXPECT_NEAR(check.mean_pressure, check.exact_pressure, 32 * kEps * check.exact_pressure);
  EXPECT_LT(std::fabs(check.mean_relative_error), 32 * kEps);
  EXPECT_LT(check.max_relative_error, 32 * kEps);
}

TEST_P(BemrunDilatationCheckTest, OneStiffPointIsTheWorst) {
  const auto [name, emod, pois] = GetParam();
  const double bulk = emod / (3 * (1 - 2 * pois));
  std::vector<double> r = exact_dilatation_matrix(bulk);
  for (int k = 1; k <= 3; ++k) r[dof(3, k) + 12 * dof(3, k)] *= 1.1;
  const bemrun::DilatationCheck check = bemrun::dilatation_check(r, tetrahedron(), emod, pois);
  EXPECT_EQ(check.strain, 1e-3);
  EXPECT_EQ(check.worst_point, 3);
  EXPECT_NEAR(check.max_relative_error, 0.1, 1e-12);
  EXPECT_NEAR(check.mean_relative_error, 0.025, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Materials,
                         BemrunDilatationCheckTest,
                         testing::Values(Material{"Unit", 1.0, 0.25},
                                         Material{"Steel", 210e9, 0.3},
                                         Material{"Auxetic", 5.0, -0.5},
                                         Material{"NoLateral", 2.0, 0.0}),
                         [](const testing::TestParamInfo<Material>& p) {
                           return std::string(p.param.name);
                         });

TEST(BemrunDilatationCheckTest, InwardNormalsReverseTheSign) {
  ModelText model;
  for (auto& row : model.elements) {
    // Swap the last two nodes of every element: the surface now faces inwards.
    const std::size_t end = row.size();
    std::string last = row.substr(end - 8), middle = row.substr(end - 16, 8);
    row = row.substr(0, end - 16) + last + middle;
  }
  const Mesh inward = bemrun::parse_model(model.text(), "inward");
  const bemrun::DilatationCheck check =
      bemrun::dilatation_check(exact_dilatation_matrix(2.0 / 3.0), inward, 1.0, 0.25);
  EXPECT_NEAR(check.mean_relative_error, -2.0, 1e-12);
}

}  // namespace

namespace {

TEST(BemrunFootingCheckTest, VerticalStiffnessAndPunchFormulasOnASurfaceSquare) {
  const Mesh mesh = square();
  EXPECT_TRUE(bemrun::is_surface_mesh(mesh));
  EXPECT_FALSE(bemrun::is_surface_mesh(tetrahedron()));
  // Only the vertical rows and columns count: put 1 on every (3i, 3j) and noise elsewhere.
  const std::size_t ngl = 12;
  std::vector<double> r(ngl * ngl, 5.0);
  for (int i = 1; i <= 4; ++i) {
    for (int j = 1; j <= 4; ++j) r[dof(i, 3) + ngl * dof(j, 3)] = i == j ? 2.0 : 0.5;
  }
  const double emod = 2.5, pois = 0.25, G = 1.0;
  const bemrun::FootingCheck f = bemrun::footing_check(r, mesh, emod, pois);
  EXPECT_DOUBLE_EQ(f.area, 1.0);
  EXPECT_DOUBLE_EQ(f.radius, 1.0 / std::sqrt(std::acos(-1.0)));
  EXPECT_DOUBLE_EQ(f.vertical_stiffness, 4 * 2.0 + 12 * 0.5);
  EXPECT_NEAR(f.bonded, 4 * G * f.radius * std::log(2.0) / 0.5, 1e-15);
  EXPECT_NEAR(f.frictionless, 4 * G * f.radius / 0.75, 1e-15);
  // The bonded factor's limit at nu = 0.5 is 2.
  EXPECT_NEAR(bemrun::footing_check(r, mesh, 3.0, 0.5).bonded, 4 * 1.0 * f.radius * 2.0, 1e-15);
}

}  // namespace

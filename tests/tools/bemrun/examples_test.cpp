// The committed example meshes are closed spheres with outward normals.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <string>
#include <utility>

#include "tools/bemrun/checks.h"
#include "tools/bemrun/model_file.h"

namespace {

struct ExampleCase {
  const char* file;
  int nodes;
  int elements;
};

void PrintTo(const ExampleCase& c, std::ostream* os) {
  *os << c.file;
}

class BemrunExampleMeshTest : public testing::TestWithParam<ExampleCase> {
 protected:
  bemrun::Mesh read() const {
    return bemrun::read_model_file(std::string(EXAMPLES_FOLDER) + "/" + GetParam().file);
  }
};

TEST_P(BemrunExampleMeshTest, HasTheAnnouncedSize) {
  const bemrun::Mesh mesh = read();
  EXPECT_EQ(mesh.npt(), GetParam().nodes);
  EXPECT_EQ(mesh.nelem(), GetParam().elements);
}

TEST_P(BemrunExampleMeshTest, NodesLieOnTheUnitSphere) {
  const bemrun::Mesh mesh = read();
  for (int i = 1; i <= mesh.npt(); ++i) {
    const double r = std::hypot(mesh.x(i, 1), mesh.x(i, 2), mesh.x(i, 3));
    EXPECT_NEAR(r, 1.0, 2e-8) << "node " << mesh.node_number[static_cast<std::size_t>(i - 1)];
  }
}

TEST_P(BemrunExampleMeshTest, ElementNormalsPointOutwards) {
  const bemrun::Mesh mesh = read();
  for (int e = 1; e <= mesh.nelem(); ++e) {
    double a[3], b[3], c[3];
    for (int k = 1; k <= 3; ++k) {
      a[k - 1] = mesh.x(mesh.node(e, 2), k) - mesh.x(mesh.node(e, 1), k);
      b[k - 1] = mesh.x(mesh.node(e, 3), k) - mesh.x(mesh.node(e, 1), k);
      c[k - 1] =
          mesh.x(mesh.node(e, 1), k) + mesh.x(mesh.node(e, 2), k) + mesh.x(mesh.node(e, 3), k);
    }
    const double n_dot_c = (a[1] * b[2] - a[2] * b[1]) * c[0] + (a[2] * b[0] - a[0] * b[2]) * c[1] +
                           (a[0] * b[1] - a[1] * b[0]) * c[2];
    EXPECT_GT(n_dot_c, 0.0) << "element row on line "
                            << mesh.element_line[static_cast<std::size_t>(e - 1)];
  }
}

TEST_P(BemrunExampleMeshTest, SurfaceIsClosedAndConsistentlyOriented) {
  // Closed and oriented: every directed edge occurs once and its reverse once.
  const bemrun::Mesh mesh = read();
  std::map<std::pair<int, int>, int> directed;
  for (int e = 1; e <= mesh.nelem(); ++e) {
    for (int a = 1; a <= 3; ++a) ++directed[{mesh.node(e, a), mesh.node(e, a % 3 + 1)}];
  }
  for (const auto& [edge, count] : directed) {
    EXPECT_EQ(count, 1) << edge.first << "-" << edge.second;
    const auto reverse = directed.find({edge.second, edge.first});
    EXPECT_TRUE(reverse != directed.end() && reverse->second == 1)
        << edge.first << "-" << edge.second << " has no reverse";
  }
  // Euler characteristic of the sphere.
  EXPECT_EQ(mesh.npt() - static_cast<int>(directed.size()) / 2 + mesh.nelem(), 2);
}

TEST_P(BemrunExampleMeshTest, NodalNormalsAndAreasFitTheSphere) {
  const bemrun::Mesh mesh = read();
  const bemrun::NodalGeometry g = bemrun::nodal_geometry(mesh);
  double total = 0.0;
  for (int i = 1; i <= mesh.npt(); ++i) {
    const auto& n = g.normal[static_cast<std::size_t>(i - 1)];
    EXPECT_GT(n[0] * mesh.x(i, 1) + n[1] * mesh.x(i, 2) + n[2] * mesh.x(i, 3), 0.999);
    total += g.area[static_cast<std::size_t>(i - 1)];
  }
  // The inscribed polyhedron's area is a little below 4 pi.
  EXPECT_LT(total, 4 * std::numbers::pi);
  EXPECT_GT(total, 4 * std::numbers::pi * (1 - 8.0 / mesh.npt()));
}

INSTANTIATE_TEST_SUITE_P(Examples,
                         BemrunExampleMeshTest,
                         testing::Values(ExampleCase{"sphere-162.txt", 162, 320},
                                         ExampleCase{"sphere-642.txt", 642, 1280}),
                         [](const testing::TestParamInfo<ExampleCase>& p) {
                           std::string name = p.param.file;
                           name = name.substr(0, name.find('.'));
                           name.erase(name.find('-'), 1);
                           return name;
                         });

}  // namespace

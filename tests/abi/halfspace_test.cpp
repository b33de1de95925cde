// The half-space libraries through their exported symbols: a mesh on the free surface gives
// the same matrix in both, and a rigid circular footing approaches the bonded punch.
#include <gtest/gtest.h>

#include <cmath>

#include "disk.h"
#include "library.h"

namespace bem::test {
namespace {

std::vector<double> rigidez_of(const char* path,
                               const char* symbol,
                               const Mesh& m,
                               double emod,
                               double pois) {
  Library lib(path, symbol);
  EXPECT_NE(lib.entry, nullptr) << path;
  if (!lib.entry) return {};
  int opcao = 1, ncont = static_cast<int>(m.points.size()), npint = 0,
      nelem = static_cast<int>(m.elements.size());
  double fator = 0.0;
  std::vector<double> coord = m.coord();
  std::vector<int> inc = m.inc(), tipo(m.points.size(), 0);
  std::vector<double> rigidez(9 * m.points.size() * m.points.size());
  lib.entry(&opcao, &ncont, &npint, &nelem, &fator, &emod, &pois, coord.data(), tipo.data(),
            inc.data(), rigidez.data());
  return rigidez;
}

// Sum of the vertical forces for a unit vertical displacement of every node.
double vertical_stiffness(const std::vector<double>& rigidez, std::size_t npt) {
  const std::size_t ngl = 3 * npt;
  double sum = 0;
  for (std::size_t i = 0; i < npt; ++i) {
    for (std::size_t j = 0; j < npt; ++j) sum += rigidez[(3 * i + 2) + ngl * (3 * j + 2)];
  }
  return sum;
}

TEST(HalfSpace, SurfaceMeshGivesTheSameMatrixInBothLibraries) {
  const Mesh m = disk(3);
  const std::vector<double> deep = rigidez_of(BEMDEEP_PATH, "mindlin3d", m, 30.0, 0.3);
  const std::vector<double> surf = rigidez_of(BEMSURF_PATH, "boussinesq_cerruti3d", m, 30.0, 0.3);
  ASSERT_EQ(deep.size(), surf.size());
  double scale = 0, diff = 0;
  for (std::size_t k = 0; k < deep.size(); ++k) {
    scale = std::max(scale, std::abs(surf[k]));
    diff = std::max(diff, std::abs(deep[k] - surf[k]));
  }
  EXPECT_GT(scale, 0.0);
  EXPECT_LT(diff, 1e-11 * scale);
}

// A rigid footing bonded to the surface: the vertical stiffness tends to Mossakovskii's
// 4 G a ln(3 - 4 nu) / (1 - 2 nu), with a the radius of the circle of the mesh's area.
TEST(HalfSpace, RigidCircularFootingApproachesTheBondedPunch) {
  const double emod = 1.0, pois = 0.25, G = emod / (2 * (1 + pois));
  double previous_error = 1.0;
  for (int rings : {3, 6, 10}) {
    const Mesh m = disk(rings);
    const double a = disk_equivalent_radius(rings);
    const double exact = 4 * G * a * std::log(3 - 4 * pois) / (1 - 2 * pois);
    const double k =
        vertical_stiffness(rigidez_of(BEMSURF_PATH, "boussinesq_cerruti3d", m, emod, pois),
                           m.points.size());
    const double error = k / exact - 1;
    std::printf("footing %zu nodes: vertical stiffness %.6f, bonded %.6f, error %+.3e\n",
                m.points.size(), k, exact, error);
    EXPECT_LT(std::abs(error), previous_error);
    previous_error = std::abs(error);
  }
  EXPECT_LT(previous_error, 0.03);
}

}  // namespace
}  // namespace bem::test

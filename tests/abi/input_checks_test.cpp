// Bad input through the exported symbol: a message naming what is wrong, the end of the
// process, and nothing written into rigidez.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <functional>
#include <limits>

#include "library.h"

namespace bem::test {
namespace {

// Two triangles of a unit square and a fifth point that is a node of neither.
struct Input {
  int opcao = 1, ncont = 4, npint = 0, nelem = 2;
  double fator = 0.0, emod = 100.0, pois = 0.25;
  std::vector<double> coord = {0, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0, 0};
  std::vector<int> tipo = std::vector<int>(8, 0);
  std::vector<int> inc = {1, 1, 2, 3, 3, 4};
  std::vector<double> rigidez = std::vector<double>(144, -1.0);
};

struct BadInput {
  const char* name;
  std::function<void(Input&)> spoil;
  const char* message;  // regex on the console text
};

class InputChecks : public ::testing::TestWithParam<BadInput> {};

TEST_P(InputChecks, NameWhatIsWrongAndEndTheProcess) {
  const BadInput c = GetParam();
  EXPECT_EXIT(
      {
        dup2(STDERR_FILENO, STDOUT_FILENO);
        Library lib(BEMFULL_PATH, "kelvin3d");
        Input in;
        c.spoil(in);
        lib.entry(&in.opcao, &in.ncont, &in.npint, &in.nelem, &in.fator, &in.emod, &in.pois,
                  in.coord.data(), in.tipo.data(), in.inc.data(), in.rigidez.data());
        for (double v : in.rigidez) {
          if (v != -1.0) std::_Exit(7);  // rigidez was written
        }
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(1), c.message);
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Cases,
    InputChecks,
    ::testing::Values(
        BadInput{"NodeNumberTooLarge", [](Input& in) { in.inc[3] = 5; },
                 "FATAL 3 from kelvin3d: .*element 2, local node 2, has the point number 5, "
                 "outside 1..4"},
        BadInput{"NodeNumberZero", [](Input& in) { in.inc[0] = 0; }, "element 1, local node 1"},
        BadInput{"NegativeCount", [](Input& in) { in.npint = -1; }, "npint = -1 is negative"},
        BadInput{"NegativeElementCount", [](Input& in) { in.nelem = -2; },
                 "nelem = -2 is negative"},
        BadInput{"NoPoints",
                 [](Input& in) {
                   in.ncont = 0;
                   in.inc = {1, 1, 1, 1, 1, 1};
                 },
                 "no points"},
        BadInput{"RepeatedNode", [](Input& in) { in.inc[5] = 1; },
                 "element 2 \\(points 1, 3, 1\\) has zero area"},
        BadInput{"CollinearNodes",
                 [](Input& in) {
                   in.coord[2] = 0.5;  // point 3 onto the line of points 1 and 2... x
                   in.coord[6] = 0.0;  // ... and y = 0
                 },
                 "element 1 \\(points 1, 2, 3\\) has zero area"},
        BadInput{"NonFiniteCoordinate", [](Input& in) { in.coord[5] = kNaN; },
                 "coordinate x2 of point 2 is not a finite number"},
        BadInput{"ZeroModulus", [](Input& in) { in.emod = 0.0; }, "emod = 0 must be"},
        BadInput{"PoissonTooLarge", [](Input& in) { in.pois = 0.6; }, "pois = 0.59999"},
        BadInput{"PoissonMinusOne", [](Input& in) { in.pois = -1.0; }, "pois = -1 must lie"},
        BadInput{"InfiniteFator",
                 [](Input& in) { in.fator = std::numeric_limits<double>::infinity(); },
                 "fator = inf is not a finite number"},
        BadInput{"OutsideWithoutMultiplier",
                 [](Input& in) {
                   in.opcao = 2;
                   in.fator = 0.0;
                 },
                 "opcao = 2 .*needs fator > 0"},
        BadInput{"InternalPointOnNoElement",
                 [](Input& in) {
                   in.ncont = 3;
                   in.npint = 1;
                   in.nelem = 1;
                   in.inc = {1, 2, 3};
                 },
                 "FATAL 2 from DLINRG: The input matrix is singular."}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace bem::test

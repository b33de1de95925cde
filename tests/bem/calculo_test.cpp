// Routine choice, assembly, the rigid-body rule and mtrans.
#include "bem/calculo.h"

#include <gtest/gtest.h>

#include "bem/matrizgeqf.h"
#include "libs/bemfull/traits.h"
#include "test_support.h"

namespace bem {
namespace {

TEST(RoutineChoice, ThresholdsAndOptions) {
  const struct {
    double dmin, a;
    int opcao;
    bool singular;
    Route expected;
  } cases[] = {
      {1.0000001, 1, 1, true, Route::regular},
      {1.0, 1, 1, true, Route::polar},  // dmin equal to the mean side is not regular
      {9.999999974752427e-7, 1, 1, true, Route::singular},
      {9.999999974752427e-7, 1, 1, false, Route::regular},
      {1e-6, 1, 1, true, Route::polar},  // just above the single-precision threshold
      {0.0, 1, 2, true, Route::polar},
      {0.0, 1, 2, false, Route::polar},
      {0.0, 1, 3, true, Route::polar},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(choose_route(c.dmin, c.a, c.opcao, c.singular), c.expected)
        << c.dmin << " opcao " << c.opcao;
  }
}

TEST(NearestNode, TiesGoToTheLowerLocalNode) {
  Problem p = test::make_problem({{5, 0, 0}, {0, 1, 0}, {0, -1, 0}}, {{1, 2, 3}});
  const double s[3] = {0, 0, 0};
  const NearestNode n = nearest_node(p, 1, s);
  EXPECT_EQ(n.knear, 2);
  EXPECT_DOUBLE_EQ(n.dmin, 1.0);
}

// Four points of a tetrahedron surface, all boundary points, opcao = 1.
class Assembly : public ::testing::Test {
 protected:
  Problem p = test::make_problem({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
                                 {{1, 3, 2}, {1, 2, 4}, {2, 3, 4}, {1, 4, 3}});
  HammerRule rule = hammer7();
};

TEST_F(Assembly, DiagonalBlockIsBaseMinusTheOtherBlocksOfTheRow) {
  Matrix g(p.ngl, p.ngl, "g"), h(p.ngl, p.ngl, "h");
  assemble<KelvinTraits>(p, rule, g, h);
  const Matrix integrated = h.clone("integrated h");
  diagonal_blocks(p, 0.0, h);
  for (index_t i = 1; i <= p.npt; ++i) {
    for (int c = 1; c <= 3; ++c) {
      for (int d = 1; d <= 3; ++d) {
        double expected = 0.0;
        for (index_t m = 1; m <= p.npt; ++m) {
          if (m != i) expected -= integrated(dof(i, c), dof(m, d));
        }
        EXPECT_EQ(h(dof(i, c), dof(i, d)), expected);
        for (index_t m = 1; m <= p.npt; ++m) {
          if (m == i) continue;
          EXPECT_EQ(h(dof(i, c), dof(m, d)), integrated(dof(i, c), dof(m, d)));
        }
      }
    }
  }
}

TEST_F(Assembly, RowsDoNotDependOnTheThreadCount) {
  Matrix g1(p.ngl, p.ngl, "g"), h1(p.ngl, p.ngl, "h"), g3(p.ngl, p.ngl, "g"), h3(p.ngl, p.ngl, "h");
  setenv("BEM_THREADS", "1", 1);
  assemble<KelvinTraits>(p, rule, g1, h1);
  setenv("BEM_THREADS", "3", 1);
  assemble<KelvinTraits>(p, rule, g3, h3);
  unsetenv("BEM_THREADS");
  for (index_t k = 0; k < p.ngl * p.ngl; ++k) {
    ASSERT_EQ(g1.data()[k], g3.data()[k]);
    ASSERT_EQ(h1.data()[k], h3.data()[k]);
  }
}

TEST(DiagonalBlocks, SingleBoundaryPointAndInternalPoints) {
  // One boundary point: its block is exactly the base. Internal points' rows and columns
  // take no part.
  Problem p = test::make_problem({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{1, 2, 3}}, 1, 0.25, 1, 0, 2);
  Matrix h(p.ngl, p.ngl, "h");
  h.fill(0.5);
  diagonal_blocks(p, 1.0, h);
  for (int c = 1; c <= 3; ++c) {
    for (int d = 1; d <= 3; ++d) EXPECT_EQ(h(dof(1, c), dof(1, d)), c == d ? 1.0 : 0.0);
  }
  for (index_t k = 10; k <= p.ngl; ++k) EXPECT_EQ(h(k, k), 0.5);
}

TEST(Mtrans, OneElementAndTwoSharingAnEdge) {
  Problem one = test::make_problem({{0, 0, 0}, {2, 0, 0}, {0, 3, 0}}, {{1, 2, 3}});
  const Matrix m1 = mtrans(one);
  const double A = 3.0;
  for (int a = 1; a <= 3; ++a) {
    for (int b = 1; b <= 3; ++b) {
      for (int d = 1; d <= 3; ++d) {
        for (int d2 = 1; d2 <= 3; ++d2) {
          const double expected = d != d2 ? 0.0 : (a == b ? A / 6 : A / 12);
          EXPECT_NEAR(m1(dof(a, d), dof(b, d2)), expected, 1e-15);
        }
      }
    }
  }
  Problem two =
      test::make_problem({{0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {2, 3, 0}}, {{1, 2, 3}, {2, 4, 3}});
  const Matrix m2 = mtrans(two);
  EXPECT_NEAR(m2(dof(2, 1), dof(2, 1)), 2 * A / 6, 1e-15);
  EXPECT_NEAR(m2(dof(3, 2), dof(3, 2)), 2 * A / 6, 1e-15);
  EXPECT_NEAR(m2(dof(1, 3), dof(1, 3)), A / 6, 1e-15);
  EXPECT_NEAR(m2(dof(2, 1), dof(3, 1)), 2 * A / 12, 1e-15);
  EXPECT_EQ(m2(dof(1, 1), dof(4, 1)), 0.0);
}

}  // namespace
}  // namespace bem

namespace bem {
namespace {

// Working storage that cannot be had ends the process with the terminal storage message
// instead of a crash.
TEST(WorkingStorage, ImpossibleMatrixEndsWithTheStorageMessage) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer ends the process on an impossible allocation";
#else
  EXPECT_EXIT(
      {
        test::stdout_to_stderr();
        const index_t ngl = index_t{1} << 31;  // ngl squared overflows 32 bits many times over
        Matrix g(ngl, ngl, "g");
        std::_Exit(g.data() ? 0 : 5);
      },
      ::testing::ExitedWithCode(1),
      "TERMINAL 2 from g: The required storage cannot be allocated.*N = 4611686018427387904");
#endif
}

}  // namespace
}  // namespace bem

#include "bem/numerics/inverse.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "numerics_support.h"

namespace bem::numerics {
namespace {

using test::Dense;
using test::exactly;
using test::kEpsilon;
using test::send_stdout_to_death_test;

// Calls inverse() and keeps what it printed.
struct Inversion {
  Dense x;
  double rcond;
  std::string out;
};

Inversion invert(const Dense& a, index_t ldx = 0, double fill = 0.0) {
  Inversion r{Dense(a.n, ldx > 0 ? ldx : a.n, fill), 0.0, {}};
  ::testing::internal::CaptureStdout();
  r.rcond = inverse(a.n, a.data(), a.ld, r.x.data(), r.x.ld);
  r.out = ::testing::internal::GetCapturedStdout();
  return r;
}

std::string warning_text(double rcond) {
  char value[32];
  std::snprintf(value, sizeof value, "%.6E", rcond);
  return std::string(
             " *** WARNING 1 from DLINRG: The matrix is too ill-conditioned. An "
             "estimate of the reciprocal of its L1 condition number is RCOND = ") +
         value + ".  The inverse might not be accurate.\n";
}

const std::string kStop = "Stop - Program terminated.\n";

struct AccuracyCase {
  index_t n;
  index_t ld;
  bool graded;
};

class InverseAccuracy : public ::testing::TestWithParam<AccuracyCase> {};

TEST_P(InverseAccuracy, ResidualRatioIsSmallAndNothingIsPrinted) {
  const AccuracyCase& c = GetParam();
  const Dense a = c.graded ? test::graded_matrix(c.n, static_cast<unsigned>(c.n), 4.0)
                           : test::random_matrix(c.n, static_cast<unsigned>(c.n), c.ld);
  const Dense before = a;
  constexpr double kUntouched = -12345.0;
  const Inversion r = invert(a, c.ld, kUntouched);
  EXPECT_EQ(r.out, "");
  EXPECT_LT(test::inverse_residual_ratio(a, r.x), 30.0);
  EXPECT_EQ(a.v, before.v) << "the input changed";
  for (index_t j = 0; j < c.n; ++j) {
    for (index_t i = c.n; i < c.ld; ++i) ASSERT_EQ(r.x(i, j), kUntouched) << i << ", " << j;
  }
  const double truth = 1.0 / (test::one_norm(a) * test::one_norm(r.x));
  EXPECT_GE(r.rcond, truth / 10.0);
  EXPECT_LE(r.rcond, truth * 10.0);
}

INSTANTIATE_TEST_SUITE_P(Sizes,
                         InverseAccuracy,
                         ::testing::Values(AccuracyCase{1, 1, false},
                                           AccuracyCase{2, 2, false},
                                           AccuracyCase{3, 3, false},
                                           AccuracyCase{3, 5, false},
                                           AccuracyCase{50, 50, false},
                                           AccuracyCase{50, 50, true},
                                           AccuracyCase{200, 203, false},
                                           AccuracyCase{200, 200, true},
                                           AccuracyCase{333, 333, false}),
                         [](const ::testing::TestParamInfo<AccuracyCase>& case_info) {
                           return "N" + std::to_string(case_info.param.n) + "Ld" +
                                  std::to_string(case_info.param.ld) +
                                  (case_info.param.graded ? "Graded" : "Uniform");
                         });

TEST(Inverse, OfTheIdentityIsTheIdentityWithRcondOne) {
  const Inversion r = invert(test::identity(3));
  EXPECT_EQ(r.x.v, test::identity(3).v);
  EXPECT_EQ(r.rcond, 1.0);
  EXPECT_EQ(r.out, "");
}

TEST(Inverse, OfOrderOneIsTheReciprocal) {
  Dense a(1);
  a(0, 0) = -8.0;
  const Inversion r = invert(a);
  EXPECT_EQ(r.x(0, 0), -0.125);
  EXPECT_EQ(r.rcond, 1.0);
}

TEST(Inverse, OfATwoByTwoMatrix) {
  Dense a(2);
  a(0, 0) = 4.0;
  a(0, 1) = 7.0;
  a(1, 0) = 2.0;
  a(1, 1) = 6.0;
  const Inversion r = invert(a);
  EXPECT_NEAR(r.x(0, 0), 0.6, 4 * kEpsilon);
  EXPECT_NEAR(r.x(0, 1), -0.7, 4 * kEpsilon);
  EXPECT_NEAR(r.x(1, 0), -0.2, 4 * kEpsilon);
  EXPECT_NEAR(r.x(1, 1), 0.4, 4 * kEpsilon);
}

TEST(Inverse, UndoesTheInterchangesOnTheColumns) {
  // A permutation matrix (every column needs an interchange): its inverse is its transpose.
  Dense a(4);
  a(2, 0) = 1.0;
  a(0, 1) = 1.0;
  a(3, 2) = 1.0;
  a(1, 3) = 1.0;
  const Inversion r = invert(a);
  for (index_t j = 0; j < 4; ++j) {
    for (index_t i = 0; i < 4; ++i) EXPECT_EQ(r.x(i, j), a(j, i)) << i << ", " << j;
  }
}

TEST(Inverse, OfTheHilbertMatrixOfOrderSixIsAccurate) {
  const Dense a = test::hilbert(6);
  const Inversion r = invert(a);
  EXPECT_EQ(r.out, "");
  EXPECT_NEAR(r.x(0, 0), 36.0, 36.0 * 1e-8);
  EXPECT_NEAR(r.x(5, 5), 698544.0, 698544.0 * 1e-8);
  EXPECT_NEAR(r.x(2, 3), -1411200.0, 1411200.0 * 1e-8);
}

// diag(1, d): the inverse is diag(1, 1/d) and RCOND is about d.
Dense diagonal_one_and(double d) {
  Dense a(2);
  a(0, 0) = 1.0;
  a(1, 1) = d;
  return a;
}

TEST(InverseWarning, BelowTheThresholdPrintsRcondAndReturnsTheInverse) {
  const double d = std::ldexp(1.0, -53);
  const Inversion r = invert(diagonal_one_and(d));
  EXPECT_LE(r.rcond, kEpsilon);
  EXPECT_NEAR(r.rcond, d, d * 1e-6);
  EXPECT_EQ(r.out, warning_text(r.rcond));
  EXPECT_EQ(r.x(0, 0), 1.0);
  EXPECT_EQ(r.x(1, 1), 1.0 / d);
  EXPECT_EQ(r.x(0, 1), 0.0);
  EXPECT_EQ(r.x(1, 0), 0.0);
}

TEST(InverseWarning, JustAboveTheThresholdPrintsNothing) {
  const Inversion r = invert(diagonal_one_and(std::ldexp(1.0, -51)));
  EXPECT_GT(r.rcond, kEpsilon);
  EXPECT_EQ(r.out, "");
}

TEST(InverseWarning, IsPrintedExactlyWhenRcondIsAtMostTwoToTheMinus52) {
  int warned = 0, quiet = 0;
  for (int step = -4; step <= 4; ++step) {
    const double d = std::ldexp(1.0, -52) * (1.0 + step * kEpsilon);
    const Inversion r = invert(diagonal_one_and(d));
    const bool expected = r.rcond <= kEpsilon;
    EXPECT_EQ(r.out, expected ? warning_text(r.rcond) : "") << "d = " << d;
    (expected ? warned : quiet) += 1;
  }
  EXPECT_GT(warned, 0);
  EXPECT_GT(quiet, 0);
}

TEST(InverseWarning, ForTheHilbertMatrixOfOrderTwelve) {
  const Dense a = test::hilbert(12);
  const Inversion r = invert(a);
  EXPECT_LE(r.rcond, kEpsilon);
  EXPECT_EQ(r.out, warning_text(r.rcond));
  // Still the inverse of a matrix near a, as backward stability promises.
  EXPECT_LT(test::inverse_residual_ratio(a, r.x), 30.0);
}

TEST(InverseWarning, ForAPivotJustAboveTheSmallestNormal) {
  const double d = std::nextafter(DBL_MIN, 1.0);
  const Inversion r = invert(diagonal_one_and(d));
  EXPECT_EQ(r.out, warning_text(r.rcond));
  EXPECT_EQ(r.x(1, 1), 1.0 / d);
}

struct SingularCase {
  const char* name;
  Dense a;
};

SingularCase zero_column(const char* name, index_t n, index_t column) {
  Dense a = test::random_matrix(n, static_cast<unsigned>(n));
  for (index_t i = 0; i < n; ++i) a(i, column) = 0.0;
  return {name, a};
}

std::vector<SingularCase> singular_cases() {
  Dense equal_columns(2);
  equal_columns(0, 0) = equal_columns(0, 1) = 1.0;
  equal_columns(1, 0) = equal_columns(1, 1) = 2.0;
  Dense zero_row = test::random_matrix(4, 9);
  for (index_t j = 0; j < 4; ++j) zero_row(2, j) = 0.0;
  return {zero_column("FirstColumnZero", 3, 0),
          zero_column("LastColumnZero", 3, 2),
          zero_column("OrderOneZero", 1, 0),
          zero_column("ColumnZeroInSecondBlock", 300, 150),
          {"EqualColumns", equal_columns},
          {"RowZero", zero_row},
          {"DenormalPivot", diagonal_one_and(1e-310)},
          {"SmallestNormalPivot", diagonal_one_and(DBL_MIN)}};
}

class InverseSingularDeathTest : public ::testing::TestWithParam<SingularCase> {};

TEST_P(InverseSingularDeathTest, PrintsTheFatalMessageAndEndsWithStatusOne) {
  const Dense& a = GetParam().a;
  Dense x(a.n);
  EXPECT_EXIT(
      {
        send_stdout_to_death_test();
        inverse(a.n, a.data(), a.ld, x.data(), x.ld);
      },
      ::testing::ExitedWithCode(1),
      exactly(" *** FATAL 2 from DLINRG: The input matrix is singular.  Some of the diagonal "
              "elements of the upper triangular matrix U of the LU factorization are close "
              "to zero.\n" +
              kStop));
}

INSTANTIATE_TEST_SUITE_P(Matrices,
                         InverseSingularDeathTest,
                         ::testing::ValuesIn(singular_cases()),
                         [](const ::testing::TestParamInfo<SingularCase>& case_info) {
                           return std::string(case_info.param.name);
                         });

class InverseOrderDeathTest : public ::testing::TestWithParam<index_t> {};

TEST_P(InverseOrderDeathTest, BelowOneIsTerminal) {
  const index_t n = GetParam();
  double a = 1.0, x = 0.0;
  EXPECT_EXIT(
      {
        send_stdout_to_death_test();
        inverse(n, &a, 1, &x, 1);
      },
      ::testing::ExitedWithCode(1),
      exactly(" *** TERMINAL 1 from DLINRG: The order of the matrix must be positive while N = " +
              std::to_string(n) + " is given.\n" + kStop));
}

INSTANTIATE_TEST_SUITE_P(Orders,
                         InverseOrderDeathTest,
                         ::testing::Values(0, -1, -7),
                         [](const ::testing::TestParamInfo<index_t>& case_info) {
                           return case_info.param < 0 ? "Minus" + std::to_string(-case_info.param)
                                                      : std::to_string(case_info.param);
                         });

TEST(InverseStorageDeathTest, StorageThatCannotBeHadIsTerminal) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer ends the process on an impossible allocation";
#else
  const index_t n = index_t{1} << 50;  // workspace beyond any address space
  double a = 1.0, x = 0.0;
  EXPECT_EXIT(
      {
        send_stdout_to_death_test();
        inverse(n, &a, n, &x, n);
      },
      ::testing::ExitedWithCode(1),
      exactly(" *** TERMINAL 2 from DLINRG: The required storage cannot be allocated.  The "
              "workspace is based on N, where N = " +
              std::to_string(n) + ".\n" + kStop));
#endif
}

// Every entry goes through the same operations whatever the number of threads.
TEST(InverseThreads, ResultIsBitIdenticalForOneTwoAndThreeThreads) {
  const Dense a = test::graded_matrix(600, 77, 3.0);
  std::vector<Inversion> results;
  for (const int threads : {1, 2, 3}) {
    test::ScopedThreads scoped(threads);
    results.push_back(invert(a));
  }
  for (std::size_t t = 1; t < results.size(); ++t) {
    EXPECT_EQ(std::memcmp(results[0].x.data(), results[t].x.data(), results[0].x.v.size() * 8), 0)
        << "threads " << t + 1;
    EXPECT_EQ(results[0].rcond, results[t].rcond);
  }
  EXPECT_LT(test::inverse_residual_ratio(a, results[0].x), 30.0);
}

}  // namespace
}  // namespace bem::numerics

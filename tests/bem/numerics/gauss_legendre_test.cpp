#include "bem/numerics/gauss_legendre.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "numerics_support.h"

namespace bem::numerics {
namespace {

using test::exactly;
using test::kEpsilon;
using test::send_stdout_to_death_test;

struct Rule {
  std::vector<double> x, w;
};

Rule rule(int n) {
  Rule r{std::vector<double>(static_cast<std::size_t>(n)),
         std::vector<double>(static_cast<std::size_t>(n))};
  gauss_legendre(n, r.x.data(), r.w.data());
  return r;
}

// Distance in units in the last place of `expected`.
double ulps(double value, double expected) {
  const double spacing =
      std::nextafter(std::abs(expected), 2.0 * std::abs(expected) + 1.0) - std::abs(expected);
  return std::abs(value - expected) / spacing;
}

TEST(GaussLegendre, OnePointIsTheMidpointWithWeightTwo) {
  const Rule r = rule(1);
  EXPECT_EQ(r.x[0], 0.0);
  EXPECT_EQ(r.w[0], 2.0);
}

TEST(GaussLegendre, TwoPointsArePlusMinusOneOverRootThree) {
  const Rule r = rule(2);
  const double x = 1.0 / std::sqrt(3.0);
  EXPECT_LE(ulps(r.x[0], -x), 2.0);
  EXPECT_LE(ulps(r.x[1], x), 2.0);
  EXPECT_LE(ulps(r.w[0], 1.0), 2.0);
  EXPECT_LE(ulps(r.w[1], 1.0), 2.0);
}

TEST(GaussLegendre, SixPointsMatchTheTabulatedRule) {
  const Rule r = rule(6);
  const double x[6] = {-0.9324695142031521, -0.6612093864662645, -0.2386191860831969,
                       0.2386191860831969,  0.6612093864662645,  0.9324695142031521};
  const double w[6] = {0.1713244923791704, 0.3607615730481386, 0.4679139345726910,
                       0.4679139345726910, 0.3607615730481386, 0.1713244923791704};
  for (int i = 0; i < 6; ++i) {
    EXPECT_LE(ulps(r.x[i], x[i]), 4.0) << "point " << i << " = " << r.x[i];
    EXPECT_LE(ulps(r.w[i], w[i]), 4.0) << "weight " << i << " = " << r.w[i];
  }
}

class GaussLegendreRule : public ::testing::TestWithParam<int> {};

TEST_P(GaussLegendreRule, PointsIncreaseInsideTheIntervalSymmetrically) {
  const int n = GetParam();
  const Rule r = rule(n);
  for (int i = 0; i < n; ++i) {
    EXPECT_GT(r.x[i], -1.0);
    EXPECT_LT(r.x[i], 1.0);
    EXPECT_GT(r.w[i], 0.0);
    if (i > 0) {
      EXPECT_LT(r.x[i - 1], r.x[i]);
    }
    EXPECT_EQ(r.x[i], -r.x[n - 1 - i]);
    EXPECT_EQ(r.w[i], r.w[n - 1 - i]);
  }
}

TEST_P(GaussLegendreRule, WeightsSumToTwo) {
  const int n = GetParam();
  const Rule r = rule(n);
  double sum = 0.0;
  for (const double w : r.w) sum += w;
  EXPECT_NEAR(sum, 2.0, 2.0 * n * kEpsilon);
}

// Integrates x^m exactly (to rounding) for m <= 2n - 1 and, where the error of the rule is
// still above rounding (n <= 16), not for m = 2n.
TEST_P(GaussLegendreRule, IsExactForDegreeTwoNMinusOneOnly) {
  const int n = GetParam();
  const Rule r = rule(n);
  for (int m = 0; m <= 2 * n; ++m) {
    double sum = 0.0, magnitude = 0.0;
    for (int i = 0; i < n; ++i) {
      const double term = r.w[i] * std::pow(r.x[i], m);
      sum += term;
      magnitude += std::abs(term);
    }
    const double exact = m % 2 == 1 ? 0.0 : 2.0 / (m + 1);
    const double tolerance = 4.0 * n * kEpsilon * magnitude;
    if (m < 2 * n) {
      EXPECT_NEAR(sum, exact, tolerance) << "degree " << m;
    } else if (n <= 16) {
      EXPECT_GT(std::abs(sum - exact), 1000.0 * tolerance) << "degree " << m;
    }
  }
}

std::vector<int> rule_sizes() {
  std::vector<int> sizes;
  for (int n = 1; n <= kMaxCachedGauss; ++n) sizes.push_back(n);
  for (const int n : {20, 33, 64}) sizes.push_back(n);
  return sizes;
}

INSTANTIATE_TEST_SUITE_P(Sizes,
                         GaussLegendreRule,
                         ::testing::ValuesIn(rule_sizes()),
                         [](const ::testing::TestParamInfo<int>& case_info) {
                           return "N" + std::to_string(case_info.param);
                         });

TEST(CachedGaussRule, IsTheComputedRuleBitForBit) {
  for (int n = 1; n <= kMaxCachedGauss; ++n) {
    const Rule r = rule(n);
    const GaussRule cached = cached_gauss_rule(n);
    EXPECT_EQ(cached.n, n);
    EXPECT_EQ(std::memcmp(cached.x, r.x.data(), sizeof(double) * n), 0) << "n = " << n;
    EXPECT_EQ(std::memcmp(cached.w, r.w.data(), sizeof(double) * n), 0) << "n = " << n;
    EXPECT_EQ(cached_gauss_rule(n).x, cached.x) << "computed again for n = " << n;
  }
}

TEST(CachedGaussRule, GivesTheSameTableToConcurrentCallers) {
  std::vector<const double*> seen(8);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < seen.size(); ++t) {
    threads.emplace_back([&seen, t] { seen[t] = cached_gauss_rule(6).x; });
  }
  for (auto& thread : threads) thread.join();
  for (const double* x : seen) EXPECT_EQ(x, seen[0]);
}

class GaussLegendreOrderDeathTest : public ::testing::TestWithParam<int> {};

TEST_P(GaussLegendreOrderDeathTest, BelowOneIsTerminal) {
  const int n = GetParam();
  double x = 0.0, w = 0.0;
  EXPECT_EXIT(
      {
        send_stdout_to_death_test();
        gauss_legendre(n, &x, &w);
      },
      ::testing::ExitedWithCode(1),
      exactly(" *** TERMINAL 1 from DGQRUL: The number of quadrature points N = " +
              std::to_string(n) + ".  It must be at least 1.\nStop - Program terminated.\n"));
}

INSTANTIATE_TEST_SUITE_P(Orders,
                         GaussLegendreOrderDeathTest,
                         ::testing::Values(0, -1),
                         [](const ::testing::TestParamInfo<int>& case_info) {
                           return case_info.param < 0 ? "Minus" + std::to_string(-case_info.param)
                                                      : std::to_string(case_info.param);
                         });

}  // namespace
}  // namespace bem::numerics

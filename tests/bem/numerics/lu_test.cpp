// The factorisation and condition estimate behind inverse(), checked on their own.
#include "bem/numerics/lu.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "numerics_support.h"

namespace bem::numerics::detail {
namespace {

using test::Dense;

struct Factors {
  Dense lu;
  std::vector<index_t> pivots;
  std::vector<double> scales;
  index_t singular = 0;
};

Factors factor(const Dense& a, int tasks = 1) {
  Factors f{a, std::vector<index_t>(static_cast<std::size_t>(a.n)), {}, 0};
  LuWorkspace ws;
  EXPECT_TRUE(ws.obtain(a.n, tasks));
  f.singular = lu_factor(a.n, f.lu.data(), f.lu.ld, f.pivots.data(), ws);
  f.scales.assign(ws.scales(), ws.scales() + a.n);
  return f;
}

// Textbook Gaussian elimination with scaled partial pivoting: whole rows and their scales
// interchanged, one rank-one update of the trailing matrix per column.
Factors reference_factor(const Dense& a) {
  const index_t n = a.n;
  Factors f{a, std::vector<index_t>(static_cast<std::size_t>(n)),
            std::vector<double>(static_cast<std::size_t>(n)), 0};
  Dense& m = f.lu;
  for (index_t i = 0; i < n; ++i) {
    double big = 0.0;
    for (index_t j = 0; j < n; ++j) big = std::max(big, std::abs(m(i, j)));
    f.scales[i] = big < kSmallestNormal ? 1.0 : 1.0 / big;
  }
  for (index_t k = 0; k < n; ++k) {
    index_t p = k;
    for (index_t i = k + 1; i < n; ++i) {
      if (f.scales[i] * std::abs(m(i, k)) > f.scales[p] * std::abs(m(p, k))) p = i;
    }
    f.pivots[k] = p;
    for (index_t j = 0; j < n; ++j) std::swap(m(k, j), m(p, j));
    std::swap(f.scales[k], f.scales[p]);
    if (std::abs(m(k, k)) <= kSmallestNormal) {
      ++f.singular;
      for (index_t i = k + 1; i < n; ++i) m(i, k) = 0.0;
      continue;
    }
    for (index_t i = k + 1; i < n; ++i) m(i, k) /= m(k, k);
    for (index_t j = k + 1; j < n; ++j) {
      for (index_t i = k + 1; i < n; ++i) m(i, j) -= m(i, k) * m(k, j);
    }
  }
  return f;
}

// ||P A - L U||_1 / (n ||A||_1 eps).
double reconstruction_ratio(const Dense& a, const Factors& f) {
  const index_t n = a.n;
  Dense pa = a;
  for (index_t k = 0; k < n; ++k) {
    for (index_t j = 0; j < n; ++j) std::swap(pa(k, j), pa(f.pivots[k], j));
  }
  Dense r(n);
  for (index_t j = 0; j < n; ++j) {
    for (index_t i = 0; i < n; ++i) {
      double s = 0.0;
      for (index_t k = 0; k <= std::min(i, j); ++k) {
        s += (k == i ? 1.0 : f.lu(i, k)) * f.lu(k, j);
      }
      r(i, j) = pa(i, j) - s;
    }
  }
  return test::one_norm(r) / (static_cast<double>(n) * test::one_norm(a) * test::kEpsilon);
}

Dense from_rows(index_t n, const std::vector<double>& rows) {
  Dense a(n);
  for (index_t i = 0; i < n; ++i) {
    for (index_t j = 0; j < n; ++j) a(i, j) = rows[static_cast<std::size_t>(i * n + j)];
  }
  return a;
}

struct PivotCase {
  const char* name;
  index_t n;
  std::vector<double> rows;
  std::vector<index_t> pivots;  // 0-based
};

class PivotChoice : public ::testing::TestWithParam<PivotCase> {};

TEST_P(PivotChoice, FollowsTheScaledMagnitudes) {
  const PivotCase& c = GetParam();
  const Factors f = factor(from_rows(c.n, c.rows));
  EXPECT_EQ(f.singular, 0);
  EXPECT_EQ(f.pivots, c.pivots);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    PivotChoice,
    ::testing::Values(
        // Scaled values 0.02 and 1: the second row, though the first holds the larger entry.
        PivotCase{"ScaledNotLargest", 2, {2, 100, 1, 1}, {1, 1}},
        // Scaled values 0.5 and 0.5: the first row, though the second holds the larger entry.
        PivotCase{"TieTakesFirstRow", 2, {1, -2, 2, 4}, {0, 1}},
        PivotCase{"LargestAlsoScaledLargest", 2, {1, 2, 3, 1}, {1, 1}},
        // After rows 1 and 3 change places, column 2 compares 3.2 / 5 with 8.8 / 20: the scales
        // must have moved with their rows (unmoved scales or no scaling would pick row 3).
        PivotCase{"ScalesTravelWithRows", 3, {3, 10, 20, 2, 4, 5, 5, 2, 2}, {2, 1, 2}}),
    [](const ::testing::TestParamInfo<PivotCase>& case_info) {
      return std::string(case_info.param.name);
    });

TEST(PivotChoice, ScalesAreInterchangedWithTheRows) {
  const Factors f = factor(from_rows(3, {3, 10, 20, 2, 4, 5, 5, 2, 2}));
  EXPECT_EQ(f.scales, (std::vector<double>{1.0 / 5, 1.0 / 5, 1.0 / 20}));
}

struct SizeCase {
  index_t n;
  int tasks;
};

class BlockedFactorisation : public ::testing::TestWithParam<SizeCase> {};

// The blocked, recursive factorisation performs each entry's operations in the order of the
// textbook one, so the two agree bit for bit, on the pivots as on the factors.
TEST_P(BlockedFactorisation, EqualsTextbookEliminationBitForBit) {
  const SizeCase& c = GetParam();
  const Dense a = test::graded_matrix(c.n, static_cast<unsigned>(1000 + c.n), 6.0);
  const Factors f = factor(a, c.tasks);
  const Factors r = reference_factor(a);
  EXPECT_EQ(f.singular, 0);
  EXPECT_EQ(f.pivots, r.pivots);
  EXPECT_EQ(f.scales, r.scales);
  index_t mismatches = 0;
  for (index_t j = 0; j < c.n; ++j) {
    for (index_t i = 0; i < c.n; ++i) mismatches += f.lu(i, j) != r.lu(i, j);
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_LT(reconstruction_ratio(a, f), 30.0);
}

INSTANTIATE_TEST_SUITE_P(Sizes,
                         BlockedFactorisation,
                         ::testing::Values(SizeCase{1, 1},
                                           SizeCase{2, 1},
                                           SizeCase{3, 1},
                                           SizeCase{9, 1},
                                           SizeCase{40, 1},
                                           SizeCase{kLuBlock, 1},
                                           SizeCase{kLuBlock + 1, 3},
                                           SizeCase{300, 1},
                                           SizeCase{300, 4}),
                         [](const ::testing::TestParamInfo<SizeCase>& case_info) {
                           return "N" + std::to_string(case_info.param.n) + "Tasks" +
                                  std::to_string(case_info.param.tasks);
                         });

TEST(SingularColumns, AreCountedAndTheFactorisationGoesOn) {
  Dense a = test::random_matrix(5, 7);
  for (index_t i = 0; i < 5; ++i) {
    a(i, 1) = 0.0;
    a(i, 3) = 0.0;
  }
  const Factors f = factor(a);
  const Factors r = reference_factor(a);
  EXPECT_EQ(f.singular, 2);
  EXPECT_EQ(r.singular, 2);
  EXPECT_EQ(f.pivots, r.pivots);
}

// RCOND against 1 / (||A||_1 ||A^-1||_1) computed from an exact inverse.
struct ConditionCase {
  std::string name;
  Dense a;
  Dense exact_inverse;
};

// The Hilbert matrix's inverse has integer entries (Choi, "Tricks or treats with the Hilbert
// matrix", Amer. Math. Monthly 90, 1983), exact in doubles up to order 8.
Dense hilbert_inverse(index_t n) {
  const auto binomial = [](index_t m, index_t k) {
    double b = 1.0;
    for (index_t i = 1; i <= k; ++i)
      b = b * static_cast<double>(m - k + i) / static_cast<double>(i);
    return std::round(b);
  };
  Dense x(n);
  for (index_t i = 1; i <= n; ++i) {
    for (index_t j = 1; j <= n; ++j) {
      const double sign = (i + j) % 2 == 0 ? 1.0 : -1.0;
      const double c = binomial(i + j - 2, i - 1);
      x(i - 1, j - 1) = sign * static_cast<double>(i + j - 1) * binomial(n + i - 1, n - j) *
                        binomial(n + j - 1, n - i) * c * c;
    }
  }
  return x;
}

// Upper triangular with ones on the diagonal and -1 above: its inverse has entries 2^(j-i-1),
// a condition number growing like 2^n that partial pivoting cannot see.
ConditionCase minus_ones(index_t n) {
  Dense a(n), x(n);
  for (index_t j = 0; j < n; ++j) {
    for (index_t i = 0; i <= j; ++i) {
      a(i, j) = i == j ? 1.0 : -1.0;
      x(i, j) = i == j ? 1.0 : std::ldexp(1.0, static_cast<int>(j - i - 1));
    }
  }
  return {"MinusOnesAbove" + std::to_string(n), a, x};
}

ConditionCase diagonal(const std::string& name, std::vector<double> d) {
  const auto n = static_cast<index_t>(d.size());
  Dense a(n), x(n);
  for (index_t i = 0; i < n; ++i) {
    a(i, i) = d[static_cast<std::size_t>(i)];
    x(i, i) = 1.0 / d[static_cast<std::size_t>(i)];
  }
  return {name, a, x};
}

std::vector<ConditionCase> condition_cases() {
  std::vector<ConditionCase> cases;
  for (index_t n = 4; n <= 8; ++n) {
    cases.push_back({"Hilbert" + std::to_string(n), test::hilbert(n), hilbert_inverse(n)});
  }
  cases.push_back(minus_ones(10));
  cases.push_back(minus_ones(30));
  cases.push_back(diagonal("Diagonal", {4.0, -0.5, 1e-6, 3.0}));
  cases.push_back({"Identity3", test::identity(3), test::identity(3)});
  return cases;
}

class ConditionEstimate : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(ConditionEstimate, IsWithinAFactorTenOfTheTrueValue) {
  const ConditionCase& c = GetParam();
  const Factors f = factor(c.a);
  ASSERT_EQ(f.singular, 0);
  LuWorkspace ws;
  ASSERT_TRUE(ws.obtain(c.a.n, 1));
  const double anorm = test::one_norm(c.a);
  const double rcond = lu_rcond(c.a.n, f.lu.data(), f.lu.ld, f.pivots.data(), anorm, ws);
  const double truth = 1.0 / (anorm * test::one_norm(c.exact_inverse));
  EXPECT_GE(rcond, truth / 10.0) << "true " << truth;
  EXPECT_LE(rcond, truth * 10.0) << "true " << truth;
}

INSTANTIATE_TEST_SUITE_P(Matrices,
                         ConditionEstimate,
                         ::testing::ValuesIn(condition_cases()),
                         [](const ::testing::TestParamInfo<ConditionCase>& case_info) {
                           return case_info.param.name;
                         });

TEST(ConditionEstimate, OfTheIdentityIsExactlyOne) {
  const Factors f = factor(test::identity(3));
  LuWorkspace ws;
  ASSERT_TRUE(ws.obtain(3, 1));
  EXPECT_EQ(lu_rcond(3, f.lu.data(), 3, f.pivots.data(), 1.0, ws), 1.0);
}

}  // namespace
}  // namespace bem::numerics::detail

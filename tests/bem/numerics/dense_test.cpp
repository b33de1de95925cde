#include "bem/numerics/dense.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "numerics_support.h"

namespace bem::numerics {
namespace {

using test::Dense;

// c(i, j) = sum over k ascending of a(i, k) b(k, j), starting from zero.
Dense naive_product(const Dense& a, const Dense& b) {
  const index_t n = a.n;
  Dense c(n);
  for (index_t j = 0; j < n; ++j) {
    for (index_t i = 0; i < n; ++i) {
      double s = 0.0;
      for (index_t k = 0; k < n; ++k) s += a(i, k) * b(k, j);
      c(i, j) = s;
    }
  }
  return c;
}

Dense product(const Dense& a, const Dense& b) {
  Dense c(a.n, a.n, -1.0);  // whatever c held before is overwritten
  multiply(a.n, a.data(), b.data(), c.data());
  return c;
}

class Multiply : public ::testing::TestWithParam<index_t> {};

// The magnitudes of the entries spread over many decades, so a sum taken in another order
// would differ in its last bits.
TEST_P(Multiply, EqualsTheTripleLoopBitForBit) {
  const index_t n = GetParam();
  const Dense a = test::graded_matrix(n, static_cast<unsigned>(n), 5.0);
  const Dense b = test::graded_matrix(n, static_cast<unsigned>(n + 1), 5.0);
  const Dense c = product(a, b);
  const Dense expected = naive_product(a, b);
  index_t mismatches = 0;
  for (std::size_t k = 0; k < c.v.size(); ++k) mismatches += c.v[k] != expected.v[k];
  EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes,
                         Multiply,
                         ::testing::Values(1, 2, 3, 5, 17, 64, 129, 300, 520),
                         [](const ::testing::TestParamInfo<index_t>& case_info) {
                           return "N" + std::to_string(case_info.param);
                         });

TEST(Multiply, ResultIsBitIdenticalForOneTwoAndThreeThreads) {
  const Dense a = test::graded_matrix(400, 5, 5.0);
  const Dense b = test::graded_matrix(400, 6, 5.0);
  std::vector<Dense> results;
  for (const int threads : {1, 2, 3}) {
    test::ScopedThreads scoped(threads);
    results.push_back(product(a, b));
  }
  for (std::size_t t = 1; t < results.size(); ++t) {
    EXPECT_EQ(std::memcmp(results[0].data(), results[t].data(), results[0].v.size() * 8), 0)
        << "threads " << t + 1;
  }
}

}  // namespace
}  // namespace bem::numerics

// Helpers shared by the tests of the numerical services.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bem/matrix.h"

namespace bem::numerics::test {

inline constexpr double kEpsilon = 2.220446049250313e-16;  // 2^-52

// A column-major n x n matrix with leading dimension ld >= n.
struct Dense {
  index_t n = 0;
  index_t ld = 0;
  std::vector<double> v;
  Dense(index_t order, index_t lead, double fill = 0.0)
      : n(order), ld(lead), v(static_cast<std::size_t>(lead * order), fill) {}
  explicit Dense(index_t order) : Dense(order, order) {}
  double& operator()(index_t i, index_t j) { return v[static_cast<std::size_t>(i + j * ld)]; }
  double operator()(index_t i, index_t j) const { return v[static_cast<std::size_t>(i + j * ld)]; }
  double* data() { return v.data(); }
  const double* data() const { return v.data(); }
};

// Entries uniform in [-1, 1), from a fixed seed.
inline Dense random_matrix(index_t n, unsigned seed, index_t ld = 0) {
  Dense a(n, ld > 0 ? ld : n);
  std::mt19937_64 engine(seed);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  for (index_t j = 0; j < n; ++j) {
    for (index_t i = 0; i < n; ++i) a(i, j) = uniform(engine);
  }
  return a;
}

// Random entries whose magnitudes spread over 10^-spread ... 10^spread, row by row and entry
// by entry, so that both the pivot order and the order of every sum show in the result.
inline Dense graded_matrix(index_t n, unsigned seed, double spread) {
  Dense a(n);
  std::mt19937_64 engine(seed);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0), exponent(-spread, spread);
  std::vector<double> row_scale(static_cast<std::size_t>(n));
  for (auto& s : row_scale) s = std::pow(10.0, exponent(engine));
  for (index_t j = 0; j < n; ++j) {
    for (index_t i = 0; i < n; ++i) {
      a(i, j) = row_scale[static_cast<std::size_t>(i)] * uniform(engine) *
                std::pow(10.0, 0.25 * exponent(engine));
    }
  }
  return a;
}

inline Dense hilbert(index_t n) {
  Dense a(n);
  for (index_t j = 0; j < n; ++j) {
    for (index_t i = 0; i < n; ++i) a(i, j) = 1.0 / static_cast<double>(i + j + 1);
  }
  return a;
}

inline Dense identity(index_t n) {
  Dense a(n);
  for (index_t i = 0; i < n; ++i) a(i, i) = 1.0;
  return a;
}

inline double one_norm(const Dense& a) {
  double norm = 0.0;
  for (index_t j = 0; j < a.n; ++j) {
    double s = 0.0;
    for (index_t i = 0; i < a.n; ++i) s += std::abs(a(i, j));
    norm = std::max(norm, s);
  }
  return norm;
}

// ||I - x a||_1 / (n ||a||_1 ||x||_1 eps), the residual ratio of LAPACK's dget03 test.
inline double inverse_residual_ratio(const Dense& a, const Dense& x) {
  const index_t n = a.n;
  Dense r(n);
  for (index_t j = 0; j < n; ++j) {
    for (index_t i = 0; i < n; ++i) {
      double s = 0.0;
      for (index_t k = 0; k < n; ++k) s += x(i, k) * a(k, j);
      r(i, j) = (i == j ? 1.0 : 0.0) - s;
    }
  }
  return one_norm(r) / (static_cast<double>(n) * one_norm(a) * one_norm(x) * kEpsilon);
}

// Sets BEM_THREADS for the life of the object, then puts back what was there.
class ScopedThreads {
 public:
  explicit ScopedThreads(int threads) {
    if (const char* old = std::getenv("BEM_THREADS")) old_ = old;
    setenv("BEM_THREADS", std::to_string(threads).c_str(), 1);
  }
  ~ScopedThreads() {
    if (old_) {
      setenv("BEM_THREADS", old_->c_str(), 1);
    } else {
      unsetenv("BEM_THREADS");
    }
  }
  ScopedThreads(const ScopedThreads&) = delete;
  ScopedThreads& operator=(const ScopedThreads&) = delete;

 private:
  std::optional<std::string> old_;
};

// For the statement of a death test: from here on the standard output goes to the stream the
// death test reads (its standard error), and the standard error is discarded, so the test
// sees exactly what the process writes to its standard output.
inline void send_stdout_to_death_test() {
  std::fflush(stdout);
  std::fflush(stderr);
  const int death_test_stream = dup(2);
  dup2(death_test_stream, 1);
  const int null = open("/dev/null", O_WRONLY);
  dup2(null, 2);
}

// A regular expression matching exactly `text`.
inline std::string exactly(const std::string& text) {
  std::string re = "^";
  for (const char c : text) {
    if (std::string("^$.|?*+()[]{}\\").find(c) != std::string::npos) re += '\\';
    re += c;
  }
  return re + "$";
}

}  // namespace bem::numerics::test

// Seconds and GFLOP/s of the dense inverse and product, on one thread and on all threads.
//
// Usage: bench_inverse [order ...]   (default: 1500 3000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bem/numerics/dense.h"
#include "bem/numerics/inverse.h"
#include "bem/parallel.h"

namespace {

using bem::index_t;

std::vector<double> random_matrix(index_t n, unsigned seed) {
  std::vector<double> a(static_cast<std::size_t>(n * n));
  std::mt19937_64 engine(seed);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  for (double& v : a) v = uniform(engine);
  return a;
}

template <typename F>
double seconds(const F& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// bem::thread_count() reads BEM_THREADS at every call.
void set_threads(int threads) {
  const std::string value = std::to_string(threads);
#ifdef _WIN32
  _putenv_s("BEM_THREADS", value.c_str());
#else
  setenv("BEM_THREADS", value.c_str(), 1);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<index_t> orders;
  for (int i = 1; i < argc; ++i) orders.push_back(std::atol(argv[i]));
  if (orders.empty()) orders = {1500, 3000};
  const int all = bem::thread_count();
  std::printf("%8s %8s %12s %10s %12s %10s %10s\n", "order", "threads", "inverse s", "GFLOP/s",
              "multiply s", "GFLOP/s", "identical");
  for (const index_t n : orders) {
    const std::vector<double> a = random_matrix(n, 1), b = random_matrix(n, 2);
    std::vector<double> first_inverse, first_product;
    for (const int threads : {1, all}) {
      set_threads(threads);
      std::vector<double> x(a.size()), c(a.size());
      const double t_inv = seconds([&] { bem::numerics::inverse(n, a.data(), n, x.data(), n); });
      const double t_mul =
          seconds([&] { bem::numerics::multiply(n, a.data(), b.data(), c.data()); });
      // 2/3 n^3 for the factors and 4/3 n^3 for the inverse from them; 2 n^3 for the product.
      const double flops =
          2.0 * static_cast<double>(n) * static_cast<double>(n) * static_cast<double>(n);
      bool identical = true;
      if (first_inverse.empty()) {
        first_inverse = x;
        first_product = c;
      } else {
        identical = std::memcmp(x.data(), first_inverse.data(), x.size() * sizeof(double)) == 0 &&
                    std::memcmp(c.data(), first_product.data(), c.size() * sizeof(double)) == 0;
      }
      std::printf("%8lld %8d %12.3f %10.2f %12.3f %10.2f %10s\n", static_cast<long long>(n),
                  threads, t_inv, flops / t_inv * 1e-9, t_mul, flops / t_mul * 1e-9,
                  identical ? "yes" : "NO");
      std::fflush(stdout);
    }
  }
  return 0;
}

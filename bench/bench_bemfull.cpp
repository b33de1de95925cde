// Element-path time of libbemfull through its exported symbol, on closed spheres of
// increasing size, with one thread and with every thread of the machine.
//   bench_bemfull [LIBRARY] [max subdivisions, default 3]
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "bem.h"
#include "tests/abi/sphere.h"

namespace {

double run_once(bem_entry_fn f, const bem::test::Mesh& m) {
  int opcao = 1, ncont = static_cast<int>(m.points.size()), npint = 0,
      nelem = static_cast<int>(m.elements.size());
  double fator = 0.0, emod = 210000.0, pois = 0.3;
  std::vector<double> coord = m.coord();
  std::vector<int> inc = m.inc(), tipo(m.points.size(), 0);
  std::vector<double> rigidez(9 * m.points.size() * m.points.size());
  const auto t0 = std::chrono::steady_clock::now();
  f(&opcao, &ncont, &npint, &nelem, &fator, &emod, &pois, coord.data(), tipo.data(), inc.data(),
    rigidez.data());
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : BEMFULL_PATH;
  const int max_sub = argc > 2 ? std::atoi(argv[2]) : 3;
  void* h = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (!h) {
    std::fprintf(stderr, "bench_bemfull: %s\n", dlerror());
    return 1;
  }
  auto f = reinterpret_cast<bem_entry_fn>(dlsym(h, "kelvin3d"));
  if (!f) return 1;
  const unsigned all = std::thread::hardware_concurrency();
  std::printf("%8s %8s %8s %12s %12s\n", "points", "elements", "ngl", "1 thread s",
              (std::to_string(all) + " threads s").c_str());
  for (int s = 1; s <= max_sub; ++s) {
    const bem::test::Mesh m = bem::test::icosphere(s);
    setenv("BEM_THREADS", "1", 1);
    const double t1 = run_once(f, m);
    setenv("BEM_THREADS", std::to_string(all).c_str(), 1);
    const double tn = run_once(f, m);
    std::printf("%8zu %8zu %8zu %12.3f %12.3f\n", m.points.size(), m.elements.size(),
                3 * m.points.size(), t1, tn);
    std::fflush(stdout);
  }
  dlclose(h);
  return 0;
}

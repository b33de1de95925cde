// Time of each phase of the Kelvin element path (element properties, assembly of g and h, the
// result matrix) on closed spheres, with the threads of the machine or BEM_THREADS.
//   bench_phases [levels, default 3]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bem/driver.h"
#include "libs/bemfull/traits.h"
#include "tests/abi/sphere.h"

namespace {

double seconds_since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int levels = argc > 1 ? std::atoi(argv[1]) : 3;
  std::printf("threads: %d\n%8s %8s %12s %12s %12s\n", bem::thread_count(), "points", "ngl",
              "assembly s", "rigidez s", "total s");
  for (int s = 1; s <= levels; ++s) {
    const bem::test::Mesh m = bem::test::icosphere(s);
    int opcao = 1, ncont = static_cast<int>(m.points.size()), npint = 0,
        nelem = static_cast<int>(m.elements.size());
    double fator = 0.0, emod = 210000.0, pois = 0.3;
    std::vector<double> coord = m.coord();
    std::vector<int> inc = m.inc(), tipo(m.points.size(), 0);
    std::vector<double> rigidez(9 * m.points.size() * m.points.size());
    const bem::EntryArguments args{&opcao, &ncont, &npint, &nelem, &fator, &emod,
                                   &pois, coord.data(), tipo.data(), inc.data(), rigidez.data()};
    const auto t0 = std::chrono::steady_clock::now();
    bem::Problem p;
    bem::load_problem(args, p);
    bem::element_properties(p);
    bem::Matrix g(p.ngl, p.ngl, "g"), h(p.ngl, p.ngl, "h");
    bem::assemble<bem::KelvinTraits>(p, bem::hammer7(), g, h);
    bem::diagonal_blocks(p, bem::KelvinTraits::diagonal_base, h);
    const double assembly = seconds_since(t0);
    const auto t1 = std::chrono::steady_clock::now();
    bem::matrizgeqf(p, g, h, true, rigidez.data());
    const double result = seconds_since(t1);
    std::printf("%8zu %8lld %12.3f %12.3f %12.3f\n", m.points.size(),
                static_cast<long long>(p.ngl), assembly, result, assembly + result);
    std::fflush(stdout);
  }
  return 0;
}

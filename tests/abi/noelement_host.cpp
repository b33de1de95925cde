// A host that calls an entry point with no elements, as a processor would: its first
// command-line argument is the report file name, the second the library, the third npint.
// Exit status 0 when rigidez was left untouched, 3 when it was written.
#include <cstdlib>
#include <vector>

#include "library.h"

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  bem::test::Library lib(argv[2], "kelvin3d");
  if (!lib.entry) return 2;
  int opcao = 1, ncont = 0, npint = std::atoi(argv[3]), nelem = 0;
  double fator = 0.5, emod = 1.0, pois = 0.25;
  const int npt = ncont + npint;
  std::vector<double> coord(static_cast<std::size_t>(3 * npt) + 1, 0.0);
  std::vector<int> tipo(static_cast<std::size_t>(npt) + 1, 0), inc(1, 0);
  std::vector<double> rigidez(static_cast<std::size_t>(9 * npt * npt) + 1, 42.0);
  for (int call = 0; call < 2; ++call) {
    lib.entry(&opcao, &ncont, &npint, &nelem, &fator, &emod, &pois, coord.data(), tipo.data(),
              inc.data(), rigidez.data());
  }
  for (double v : rigidez) {
    if (v != 42.0) return 3;
  }
  return fator == 0.0 ? 0 : 4;
}

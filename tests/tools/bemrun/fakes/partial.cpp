// Stand-in for bemsurf that writes every entry of rigidez but the last one.
#include <cstddef>

#include "bem.h"

extern "C" BEM_API void BEM_CALL boussinesq_cerruti3d(const int* /*opcao*/,
                                                      const int* ncont,
                                                      const int* npint,
                                                      const int* /*nelem*/,
                                                      double* /*fator*/,
                                                      const double* /*emod*/,
                                                      const double* /*pois*/,
                                                      const double* /*coord*/,
                                                      const int* /*tipo*/,
                                                      const int* /*inc*/,
                                                      double* rigidez) {
  const auto npt = static_cast<std::size_t>(*ncont + *npint);
  for (std::size_t i = 0; i + 1 < 9 * npt * npt; ++i) rigidez[i] = 1.0;
}

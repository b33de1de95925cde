// Stand-in for bemfull that records what the host passed: rigidez, read column-major from its
// first entry, receives coord (3 npt values), inc (3 nelem), tipo (npt), then opcao, ncont,
// npint, nelem, fator on entry, emod and pois; every other entry is 0. As the real library it
// resets fator under opcao 1.
#include <algorithm>
#include <cstddef>

#include "bem.h"

extern "C" BEM_API void BEM_CALL kelvin3d(const int* opcao,
                                          const int* ncont,
                                          const int* npint,
                                          const int* nelem,
                                          double* fator,
                                          const double* emod,
                                          const double* pois,
                                          const double* coord,
                                          const int* tipo,
                                          const int* inc,
                                          double* rigidez) {
  const auto npt = static_cast<std::size_t>(*ncont + *npint);
  const auto ne = static_cast<std::size_t>(*nelem);
  const std::size_t size = 9 * npt * npt;
  std::fill(rigidez, rigidez + size, 0.0);
  std::size_t at = 0;
  auto put = [&](double v) {
    if (at < size) rigidez[at++] = v;
  };
  for (std::size_t i = 0; i < 3 * npt; ++i) put(coord[i]);
  for (std::size_t i = 0; i < 3 * ne; ++i) put(inc[i]);
  for (std::size_t i = 0; i < npt; ++i) put(tipo[i]);
  for (double v :
       {double(*opcao), double(*ncont), double(*npint), double(*nelem), *fator, *emod, *pois}) {
    put(v);
  }
  if (*opcao == 1) *fator = 0.0;
}

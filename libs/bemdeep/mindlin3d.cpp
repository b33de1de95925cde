#include "bem.h"
#include "bem/driver.h"
#include "traits.h"

extern "C" BEM_API void BEM_CALL mindlin3d(const int* opcao,
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
  bem::entry<bem::MindlinTraits>(
      {opcao, ncont, npint, nelem, fator, emod, pois, coord, tipo, inc, rigidez});
}

// A library that wrongly exports two entry points.
#include "bem.h"

extern "C" {
BEM_API void BEM_CALL kelvin3d(const int*,
                               const int*,
                               const int*,
                               const int*,
                               double*,
                               const double*,
                               const double*,
                               const double*,
                               const int*,
                               const int*,
                               double*) {}
BEM_API void BEM_CALL mindlin3d(const int*,
                                const int*,
                                const int*,
                                const int*,
                                double*,
                                const double*,
                                const double*,
                                const double*,
                                const int*,
                                const int*,
                                double*) {}
}

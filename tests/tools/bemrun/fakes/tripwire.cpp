// Stand-in for bemfull that must never be called: it says so and ends the process with 99.
#include <cstdio>
#include <cstdlib>

#include "bem.h"

extern "C" BEM_API void BEM_CALL kelvin3d(const int*,
                                          const int*,
                                          const int*,
                                          const int*,
                                          double*,
                                          const double*,
                                          const double*,
                                          const double*,
                                          const int*,
                                          const int*,
                                          double*) {
  std::fputs("tripwire: the library was called\n", stdout);
  std::fflush(stdout);
  std::exit(99);
}

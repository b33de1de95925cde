// A shared library that exports none of the three entry points.
#include "bem.h"

extern "C" BEM_API int kelvin(void) {
  return 3;
}

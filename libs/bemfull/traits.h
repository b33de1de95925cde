// bemfull: Kelvin's solution for the infinite solid.
#pragma once

#include "bem/kernels/kelvin.h"

namespace bem {

struct KelvinTraits {
  using Kernel = kernels::Kelvin;
  static constexpr const char* routine = "kelvin3d";
  static constexpr bool singular_integration = true;
  static constexpr bool on_node_band = false;
  static constexpr double diagonal_base = 0.0;
  static constexpr bool h_in_rigidez = true;
};

}  // namespace bem

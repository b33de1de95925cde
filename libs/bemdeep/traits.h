// bemdeep: Mindlin's solution for a force inside an elastic half-space.
#pragma once

#include "bem/kernels/mindlin.h"

namespace bem {

struct MindlinTraits {
  using Kernel = kernels::Mindlin;
  static constexpr const char* routine = "mindlin3d";
  static constexpr bool singular_integration = false;
  static constexpr bool on_node_band = true;
  static constexpr double diagonal_base = 1.0;
  static constexpr bool h_in_rigidez = true;
};

}  // namespace bem

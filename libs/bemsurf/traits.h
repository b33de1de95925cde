// bemsurf: the Boussinesq-Cerruti solution for a force on the surface of a half-space. Its
// traction kernel is zero, so rigidez leaves h out.
#pragma once

#include "bem/kernels/boussinesq_cerruti.h"

namespace bem {

struct BoussinesqCerrutiTraits {
  using Kernel = kernels::BoussinesqCerruti;
  static constexpr const char* routine = "boussinesq_cerruti3d";
  static constexpr bool singular_integration = false;
  static constexpr bool on_node_band = true;
  static constexpr double diagonal_base = 1.0;
  static constexpr bool h_in_rigidez = false;
};

}  // namespace bem

// Physics checks of a result matrix `rigidez` (ngl x ngl, column-major, dof 3(i-1)+k) against
// the mesh it was computed for. Plain functions of the arrays: no library is needed.
#ifndef VELDRA_TOOLS_BEMRUN_CHECKS_H
#define VELDRA_TOOLS_BEMRUN_CHECKS_H

#include <array>
#include <vector>

#include "tools/bemrun/model_file.h"

namespace bemrun {

// max over rows of sum over columns of |rigidez(r, c)| (the infinity norm).
double max_abs_row_sum(const std::vector<double>& rigidez, int ngl);

// Rigid translation: for u = 1 in direction k at every point and 0 otherwise, f = rigidez u;
// residual[k - 1] = max |f| / max_abs_row_sum. A closed surface gives rounding level values.
struct TranslationCheck {
  std::array<double, 3> residual{};
  double max_row_sum = 0.0;
};
TranslationCheck rigid_translation_check(const std::vector<double>& rigidez, int ngl);

// Tributary area A_i (sum over the point's elements of area / 3) and unit normal n_i (the
// area-weighted mean of the element normals, normalised; zero when they cancel) of every point.
struct NodalGeometry {
  std::vector<double> area;                   // npt
  std::vector<std::array<double, 3>> normal;  // npt
};
NodalGeometry nodal_geometry(const Mesh& mesh);

// Uniform dilatation u = strain * x: f = rigidez u, nodal pressure p_i = (f_i . n_i) / A_i,
// compared with the exact 3 K strain, K = emod / (3 (1 - 2 pois)).
struct DilatationCheck {
  double strain = 0.0;
  double exact_pressure = 0.0;
  double mean_pressure = 0.0;
  double mean_relative_error = 0.0;  // (mean_pressure - exact) / exact
  double max_relative_error = 0.0;   // max |p_i - exact| / |exact|
  int worst_point = 0;               // the point (1..npt) of max_relative_error
};
DilatationCheck dilatation_check(const std::vector<double>& rigidez,
                                 const Mesh& mesh,
                                 double emod,
                                 double pois,
                                 double strain = 1e-3);

// True when every point lies on the plane x3 = 0: a footing on the half-space's surface.
bool is_surface_mesh(const Mesh& mesh);

// Rigid footing: the sum of the vertical forces for a unit vertical displacement of every
// point (all three components prescribed, so the footing is bonded to the soil), next to the
// bonded circular punch 4 G a ln(3 - 4 nu) / (1 - 2 nu) and the frictionless one
// 4 G a / (1 - nu), with a the radius of the circle of the mesh's area.
struct FootingCheck {
  double area = 0.0;
  double radius = 0.0;
  double vertical_stiffness = 0.0;
  double bonded = 0.0;
  double frictionless = 0.0;
};
FootingCheck footing_check(const std::vector<double>& rigidez,
                           const Mesh& mesh,
                           double emod,
                           double pois);

}  // namespace bemrun

#endif

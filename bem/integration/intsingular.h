// Semi-analytic integration of the Kelvin kernels over an element for a source on its node
// knear: the radial integrals in closed form (the traction kernel's as a finite part), the
// angle at the node by 6 Gauss-Legendre points. Angles are in degrees here.
#pragma once

#include <cmath>

#include "../numerics/gauss_legendre.h"
#include "element_block.h"

namespace bem {

inline void intsingular(
    const Problem& p, index_t e, int knear, ElementBlock& ge, ElementBlock& he) {
  const numerics::GaussRule angular = numerics::cached_gauss_rule(6);
  const double n[3] = {p.normal(e, 1), p.normal(e, 2), p.normal(e, 3)};
  const double area = p.area(e, 1), pi = p.pi, G = p.gmod, nu = p.pois;
  const int p1 = knear, p2 = cyclic_next(knear), p3 = cyclic_after_next(knear);
  const LocalCoordinates local = coordlocal(p, e, p1, p2, p3);
  const Frame T = sistlocal(p, e, p1, p2);
  const EdgeCoefficients opposite = coeflado(knear, local);
  EdgeCoefficients edge[3];
  for (int k = 1; k <= 3; ++k) edge[k - 1] = coeflado(k, local);
  const double alpha = local.alpha;
  const double c34 = 3.0 - nu * 4.0;
  for (int ia = 0; ia < 6; ++ia) {
    const double theta = (angular.x[ia] + 1.0) * alpha / 2.0;
    const double wa = angular.w[ia];
    const double dtheta = pi * alpha / 360.0;
    const double c1 = (1.0 - nu * 2.0) * dtheta / ((1.0 - nu) * pi * 8.0);
    const double c2 = dtheta / ((1.0 - nu) * pi * G * 16.0);
    const double ct = cosd(theta, pi), st = sind(theta, pi);
    const double rhomax = -(2.0 * area) / (opposite.b * ct + opposite.a * st);
    const double log_rhomax = std::log(rhomax);
    double d[3];
    for (int i = 0; i < 3; ++i) d[i] = ct * T.t[0][i] + st * T.t[1][i];
    for (int i = 1; i <= 3; ++i) {
      for (int k = 1; k <= 3; ++k) {
        const double beta = edge[k - 1].b * ct + edge[k - 1].a * st;
        for (int j = 1; j <= 3; ++j) {
          const double delta = i == j ? 1.0 : 0.0;
          const double tangential = n[j - 1] * d[i - 1] - d[j - 1] * n[i - 1];
          const double radial = c34 * delta + d[j - 1] * d[i - 1];
          const int col = 3 * (k - 1) + j;
          he(i, col) += beta * (rhomax / (2.0 * area)) * tangential * wa * c1;
          ge(i, col) += beta * (rhomax * rhomax / (4.0 * area)) * radial * wa * c2;
          if (k == knear) {
            he(i, col) += log_rhomax * tangential * wa * c1;
            ge(i, col) += radial * rhomax * wa * c2;
          }
        }
      }
    }
  }
}

}  // namespace bem

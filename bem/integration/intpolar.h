// Near-singular integration in polar coordinates about the element node nearest the source:
// 6 Gauss-Legendre points over the quarter circle of the area-coordinate plane, and in radius
// a sequence of intervals growing by 1.5 from a first length b^3, each with 2 to 4 points.
#pragma once

#include <cmath>

#include "../numerics/gauss_legendre.h"
#include "element_block.h"

namespace bem {

// Single-precision values of 1e-6 and 0.2, as the library compares and uses them.
inline constexpr double kPolarFatorThreshold = 9.999999974752427e-7;
inline constexpr double kPolarDefaultBase = 0.20000000298023224;

// The radial intervals of one angle: nint intervals ending at t[1..nint], t[0] = 0.
struct RadialIntervals {
  int nint;
  double first;   // b^3
  double rhomax;  // end of the last interval
};

// Lengths b^3 1.5^(j-1) are added until their sum exceeds rhomax; the partial last one is
// merged into the one before it. When b^3 alone already exceeds rhomax, the whole radius is
// one interval.
inline RadialIntervals radial_intervals(double b, double rhomax) {
  const double first = b * b * b;
  int added = 0;
  double sum = 0.0, growth = 1.0;  // 1.5^k is exact in binary for the k that occur here
  while (!(sum > rhomax)) {
    sum += first * growth;
    growth *= 1.5;
    ++added;
  }
  const int nint = added - 1;
  return {nint < 1 ? 1 : nint, first, rhomax};
}

// Gauss points of interval j of nint: 3 for a single interval, else
// (2(j-1) + 2(nint-1)) / (nint-1) rounded half up, rising from 2 to 4.
inline int radial_points(int j, int nint) {
  if (nint == 1) return 3;
  const double v = static_cast<double>(2 * (j - 1) + 2 * (nint - 1)) / (nint - 1);
  return static_cast<int>(std::floor(v + 0.5));
}

template <class Kernel>
void intpolar(
    const Problem& p, const double s[3], index_t e, int knear, ElementBlock& ge, ElementBlock& he) {
  const numerics::GaussRule angular = numerics::cached_gauss_rule(6);
  const double n[3] = {p.normal(e, 1), p.normal(e, 2), p.normal(e, 3)};
  const Material mat = material(p.pois);
  const double b = p.fator > kPolarFatorThreshold ? p.fator : kPolarDefaultBase;
  const double area = p.area(e, 1);
  const double pi = p.pi, G = p.gmod, nu = p.pois;
  double U[9], P[9];
  for (int ia = 0; ia < 6; ++ia) {
    const double theta = (angular.x[ia] + 1.0) * (pi / 4.0);
    const double wa = angular.w[ia];
    const double ct = std::cos(theta), st = std::sin(theta);
    const RadialIntervals iv = radial_intervals(b, 1.0 / (ct + st));
    double t0 = 0.0, growth = 1.0;
    for (int j = 1; j <= iv.nint; ++j) {
      const double t1 = j == iv.nint ? iv.rhomax : t0 + iv.first * growth;
      const numerics::GaussRule radial = numerics::cached_gauss_rule(radial_points(j, iv.nint));
      const double delta = t1 - t0;
      const double Aj = (pi / 4.0) * (delta / 2.0) * area * 2.0 / ((1.0 - nu) * G * pi * 16.0);
      const double Bj = Aj * G * 2.0;
      for (int q = 0; q < radial.n; ++q) {
        const double eta = radial.x[q], wq = radial.w[q];
        const double rho = (t0 / 2.0) * (1.0 - eta) + (t1 / 2.0) * (1.0 + eta);
        double L[3];
        polar_area_coordinates(knear, rho, ct, st, L);
        const Point3 x = point_map(p, e, L);
        evaluate_kernel<Kernel>(mat, s, x, n, Aj, Bj, U, P);
        for (int k = 1; k <= 3; ++k) {
          for (int m = 1; m <= 3; ++m) {
            for (int l = 1; l <= 3; ++l) {
              ge(l, 3 * (k - 1) + m) += U[(l - 1) + 3 * (m - 1)] * wq * L[k - 1] * wa * rho;
              he(l, 3 * (k - 1) + m) += P[(l - 1) + 3 * (m - 1)] * wq * L[k - 1] * wa * rho;
            }
          }
        }
      }
      t0 = t1;
      growth *= 1.5;
    }
  }
}

}  // namespace bem

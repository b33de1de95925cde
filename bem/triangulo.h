// Geometry of the flat 3-node triangle: area coordinates, the element map, polar area
// coordinates about a node, and the local frame and plane coordinates used by the
// semi-analytic singular integration. Nothing here checks its element.
#pragma once

#include "problem.h"

namespace bem {

// The two other local nodes of node p, in the element's cyclic order: (2,3), (3,1), (1,2).
constexpr int cyclic_next(int p) {
  return p % 3 + 1;
}
constexpr int cyclic_after_next(int p) {
  return (p + 1) % 3 + 1;
}

struct Point3 {
  double x[3];
};

// x = L1 X1 + L2 X2 + L3 X3, component by component, added in node order.
Point3 point_map(const Problem& p, index_t e, const double L[3]);

// Area coordinates at radius rho and angle theta (radians) about local node k:
// L(i1) = cos(theta) rho, L(i2) = sin(theta) rho, L(k) = 1 - L(i1) - L(i2).
void polar_area_coordinates(int k, double rho, double cos_theta, double sin_theta, double L[3]);

// Sine and cosine of an angle in degrees.
double sind(double degrees, double pi);
double cosd(double degrees, double pi);

// Local frame at the node pair (p1, p2) of element e: rows e1 (along p1 -> p2), e2 (n x e1,
// in the plane), e3 (the normal); t[r][c] is component c of row r. Maps global to local.
struct Frame {
  double t[3][3];
};
Frame sistlocal(const Problem& p, index_t e, int p1, int p2);

// Plane coordinates of the nodes with p1 at the origin, p2 on the positive x axis and p3 in
// the upper half-plane; xl, yl are indexed by local node number - 1; alpha is the interior
// angle at p1 in degrees.
struct LocalCoordinates {
  double xl[3];
  double yl[3];
  double alpha;
};
LocalCoordinates coordlocal(const Problem& p, index_t e, int p1, int p2, int p3);

// Coefficients of the edge opposite local node k: a = xl(i2) - xl(i1), b = yl(i1) - yl(i2),
// so that L_k = delta(k, p1) + (b xi + a eta) / (2A) at the local point (xi, eta).
struct EdgeCoefficients {
  double a;
  double b;
};
EdgeCoefficients coeflado(int k, const LocalCoordinates& local);

}  // namespace bem

// The Boussinesq (normal force) and Cerruti (tangential force) solutions for a unit point force
// on the surface of an elastic half-space, evaluated at surface points.
#pragma once

#include "kernel.h"

namespace bem::kernels {

// Frame: x3 is the depth below the free surface x3 = 0, positive into the solid; r1, r2 are the
// horizontal components of field point minus source point and R = rimg the distance from the
// field point to the image of the source, which for two surface points is their distance. First
// index the force direction at the source, second the component at the field point: rows 1 and
// 2 are Cerruti's solution, row 3 Boussinesq's for the force pushing into the solid.
//
// With t = 8 (1 - nu) A / R, A = cteu:
//   U(1,1) = t (1 - nu + nu r1^2/R^2)   U(2,2) = t (1 - nu + nu r2^2/R^2)   U(3,3) = t (1 - nu)
//   U(1,2) = U(2,1) = t nu r1 r2 / R^2
//   U(1,3) = -U(3,1) = t (1/2 - nu) r1 / R   U(2,3) = -U(3,2) = t (1/2 - nu) r2 / R
// With A = J/(16 pi G (1 - nu)), t = J/(2 pi G R). The surface is traction-free away from the
// load, so every entry of P is zero.
//
// Depth enters only through R: for points off the surface the same surface expressions are
// used. Reads nu, r1, r2, rimg and cteu only; writes all nine entries of ufund and of pfund
// (column-major, (l, m) at [(l-1) + 3(m-1)]). Undefined for R = 0.
struct BoussinesqCerruti {
  static inline void solfund(double nu,
                             double /*r*/,
                             double r1,
                             double r2,
                             double /*r3*/,
                             double rimg,
                             double /*zc*/,
                             double /*c*/,
                             double /*z*/,
                             double /*cnu1*/,
                             double /*cnu12*/,
                             double /*cnu34*/,
                             double /*cnu32*/,
                             double /*cnu54*/,
                             double cteu,
                             double /*ctep*/,
                             double* ufund,
                             double* pfund,
                             double /*n1*/,
                             double /*n2*/,
                             double /*n3*/) {
    const double R = rimg;
    const double t = (1.0 - nu) * cteu * 8.0 / R;
    const double RR = R * R;
    const double u12 = t * nu * r1 * r2 / RR;
    const double u13 = t * (0.5 - nu) * r1 / R;
    const double u23 = t * (0.5 - nu) * r2 / R;
    ufund[0] = t * (1.0 - nu + nu * r1 * r1 / RR);
    ufund[1] = u12;
    ufund[2] = -u13;
    ufund[3] = u12;
    ufund[4] = t * (1.0 - nu + nu * r2 * r2 / RR);
    ufund[5] = -u23;
    ufund[6] = u13;
    ufund[7] = u23;
    ufund[8] = t * (1.0 - nu);
    for (int k = 0; k < 9; ++k) pfund[k] = 0.0;
  }
};

}  // namespace bem::kernels

// Kelvin's solution for a unit point force in the infinite elastic solid.
#pragma once

#include "kernel.h"

namespace bem::kernels {

struct Kelvin {
  // U(l,m) = (A/r) [(3 - 4nu) delta_lm + rd_l rd_m]
  // P(l,m) = -(B/r^2) {[(1 - 2nu) delta_lm + 3 rd_l rd_m] drdn - (1 - 2nu)(rd_l n_m - rd_m n_l)}
  // with rd = r_i / r and drdn = rd . n; A = cteu, B = ctep.
  static inline void solfund(double nu,
                             double r,
                             double r1,
                             double r2,
                             double r3,
                             double /*rimg*/,
                             double /*zc*/,
                             double /*c*/,
                             double /*z*/,
                             double /*cnu1*/,
                             double /*cnu12*/,
                             double /*cnu34*/,
                             double /*cnu32*/,
                             double /*cnu54*/,
                             double cteu,
                             double ctep,
                             double* ufund,
                             double* pfund,
                             double n1,
                             double n2,
                             double n3) {
    const double rd[3] = {r1 / r, r2 / r, r3 / r};
    const double n[3] = {n1, n2, n3};
    const double drdn = n1 * rd[0] + n2 * rd[1] + n3 * rd[2];
    const double c34 = 3.0 - nu * 4.0;
    const double c12 = 1.0 - nu * 2.0;
    const double ur = cteu / r;
    const double pr = -(ctep / (r * r));
    for (int m = 0; m < 3; ++m) {
      for (int l = 0; l < 3; ++l) {
        const double delta = l == m ? 1.0 : 0.0;
        ufund[l + 3 * m] = ur * (c34 * delta + rd[l] * rd[m]);
        pfund[l + 3 * m] =
            pr * ((c12 * delta + 3.0 * rd[l] * rd[m]) * drdn - c12 * (rd[l] * n[m] - rd[m] * n[l]));
      }
    }
  }
};

}  // namespace bem::kernels

// The 3 x 9 element blocks and the per-point quantities shared by the element integrators.
#pragma once

#include <cmath>

#include "../kernels/kernel.h"
#include "../triangulo.h"

namespace bem {

// ge or he of one source point and one element, column-major 3 x 9: row l is the force
// direction at the source, column 3(k - 1) + m component m at local node k.
struct ElementBlock {
  double v[27];
  double& operator()(int l, int col) { return v[(l - 1) + 3 * (col - 1)]; }
  double operator()(int l, int col) const { return v[(l - 1) + 3 * (col - 1)]; }
};

// Material combinations formed once per integration call.
struct Material {
  double nu, cnu1, cnu12, cnu34, cnu32, cnu54;
};
inline Material material(double pois) {
  return {pois, 1.0 - pois, 1.0 - pois * 2.0, 3.0 - pois * 4.0, 3.0 - pois * 2.0, 5.0 - pois * 4.0};
}

// Evaluates the kernel at field point x for source s with the scale factors A and B.
template <class Kernel>
inline void evaluate_kernel(const Material& mat,
                            const double s[3],
                            const Point3& x,
                            const double n[3],
                            double cteu,
                            double ctep,
                            double* ufund,
                            double* pfund) {
  const double r1 = x.x[0] - s[0], r2 = x.x[1] - s[1], r3 = x.x[2] - s[2];
  const double r = std::sqrt(r1 * r1 + r2 * r2 + r3 * r3);
  const double zc = s[2] + x.x[2];
  const double rimg = std::sqrt(r1 * r1 + r2 * r2 + zc * zc);
  Kernel::solfund(mat.nu, r, r1, r2, r3, rimg, zc, s[2], x.x[2], mat.cnu1, mat.cnu12, mat.cnu34,
                  mat.cnu32, mat.cnu54, cteu, ctep, ufund, pfund, n[0], n[1], n[2]);
}

}  // namespace bem

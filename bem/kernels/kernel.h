// What every fundamental solution receives and returns.
//
// r = field point minus source point. Results are 3 x 3, column-major: U(l, m) at
// ufund[(l-1) + 3(m-1)] is displacement component m at the field point due to a unit force in
// direction l at the source point, times the scale cteu; P(l, m) likewise the traction
// component m on the surface of unit normal n, times ctep. Every kernel writes all eighteen
// entries on every call and keeps no state.
#pragma once

namespace bem::kernels {

// The geometric and material quantities of one evaluation, in the kernels' argument order.
struct KernelPoint {
  double nu;                                // Poisson's ratio
  double r, r1, r2, r3;                     // distance and field point minus source point
  double rimg;                              // distance to the source's image in x3 = 0
  double zc, c, z;                          // x3 + s3, s3, x3
  double cnu1, cnu12, cnu34, cnu32, cnu54;  // 1-nu, 1-2nu, 3-4nu, 3-2nu, 5-4nu
  double cteu, ctep;                        // displacement and traction scale factors
  double n1, n2, n3;                        // unit normal of the element
};

}  // namespace bem::kernels

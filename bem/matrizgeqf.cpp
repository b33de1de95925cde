#include "matrizgeqf.h"

#include <algorithm>

#include "numerics/dense.h"
#include "numerics/inverse.h"

namespace bem {

Matrix mtrans(const Problem& p) {
  const double two_thirds = 2.0 / 3.0, sixth = 1.0 / 6.0;
  const double L[3][3] = {
      {two_thirds, sixth, sixth}, {sixth, two_thirds, sixth}, {sixth, sixth, two_thirds}};
  const double w = 1.0 / 6.0;
  Matrix m(p.ngl, p.ngl, "mtrans");
  for (index_t e = 1; e <= p.nelem; ++e) {
    // The element matrix couples equal directions only, so one 3 x 3 node block serves all.
    double me[3][3] = {};
    for (int k = 0; k < 3; ++k) {
      for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) me[a][b] += w * L[k][b] * L[k][a];
      }
    }
    const double jacobian = p.area(e, 1) * 2.0;
    for (int a = 0; a < 3; ++a) {
      for (int b = 0; b < 3; ++b) me[a][b] *= jacobian;
    }
    for (int a = 1; a <= 3; ++a) {
      for (int b = 1; b <= 3; ++b) {
        for (int d = 1; d <= 3; ++d) {
          m(dof(p.inc(e, a), d), dof(p.inc(e, b), d)) += me[a - 1][b - 1];
        }
      }
    }
  }
  return m;
}

void matrizgeqf(const Problem& p, Matrix& g, Matrix& h, bool h_in_rigidez, double* rigidez) {
  const index_t n = p.ngl;
  Matrix w1(n, n, "work matrix 1");
  {
    const Matrix mt = mtrans(p);
    numerics::inverse(n, mt.data(), n, w1.data(), n);
  }
  Matrix w2(n, n, "work matrix 2");
  numerics::multiply(n, g.data(), w1.data(), w2.data());
  g.release();
  // W2^-1 goes into W1, whose old contents are no longer needed.
  numerics::inverse(n, w2.data(), n, w1.data(), n);
  w2.release();
  if (h_in_rigidez) {
    numerics::multiply(n, w1.data(), h.data(), rigidez);
  } else {
    std::copy(w1.data(), w1.data() + n * n, rigidez);
  }
  h.release();
}

}  // namespace bem

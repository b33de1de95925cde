// Regular integration of one element for one source point: the element split into nsub
// congruent sub-triangles, each integrated with the 7-point Hammer rule.
#pragma once

#include "../hammer.h"
#include "../subelementacao.h"
#include "element_block.h"

namespace bem {

// Adds into ge and he (zero on entry) the integrals over element e of U(l,m) L_k and
// P(l,m) L_k. a is the element's mean side, dmin the source's distance to its nearest node,
// cteu = area / ((1 - nu) G pi 16).
template <class Kernel>
void intregular(const Problem& p,
                const HammerRule& rule,
                const double s[3],
                double a,
                double cteu,
                index_t e,
                double dmin,
                bool on_node_band,
                ElementBlock& ge,
                ElementBlock& he) {
  const double n[3] = {p.normal(e, 1), p.normal(e, 2), p.normal(e, 3)};
  const Material mat = material(p.pois);
  const double ctep = p.gmod * cteu * 2.0;
  const int nsub = nsubel(a, dmin, p.fator, on_node_band);
  const double* subcoord = subtri_table(nsub);
  const double dnsub = nsub;
  double U[9], P[9];
  for (int t = 1; t <= nsub; ++t) {
    for (int q = 1; q <= HammerRule::n; ++q) {
      double L[3];
      mapsub(nsub, t, subcoord, rule, q, L);
      const Point3 x = point_map(p, e, L);
      evaluate_kernel<Kernel>(mat, s, x, n, cteu, ctep, U, P);
      const double w = rule.peso[q - 1];
      for (int k = 1; k <= 3; ++k) {
        for (int m = 1; m <= 3; ++m) {
          for (int l = 1; l <= 3; ++l) {
            ge(l, 3 * (k - 1) + m) += U[(l - 1) + 3 * (m - 1)] * w * L[k - 1] / dnsub;
            he(l, 3 * (k - 1) + m) += P[(l - 1) + 3 * (m - 1)] * w * L[k - 1] / dnsub;
          }
        }
      }
    }
  }
}

}  // namespace bem

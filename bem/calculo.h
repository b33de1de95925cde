// Assembly of the influence matrices g and h: every element for every source point, the
// integrator chosen by distance, and the rigid-body rule for the diagonal blocks of h.
#pragma once

#include <cmath>

#include "hammer.h"
#include "integration/intpolar.h"
#include "integration/intregular.h"
#include "integration/intsingular.h"
#include "parallel.h"

namespace bem {

// Single-precision value of 1e-6: a source this close to a node lies on it (opcao = 1).
inline constexpr double kOnNodeDistance = 9.999999974752427e-7;

enum class Route { regular, polar, singular };

// Nearest node of element e to s: its distance and local number (lowest on ties).
struct NearestNode {
  double dmin;
  int knear;
};
inline NearestNode nearest_node(const Problem& p, index_t e, const double s[3]) {
  NearestNode best{0.0, 1};
  for (int k = 1; k <= 3; ++k) {
    const double d1 = s[0] - p.node(e, k, 1), d2 = s[1] - p.node(e, k, 2),
                 d3 = s[2] - p.node(e, k, 3);
    const double d = std::sqrt(d1 * d1 + d2 * d2 + d3 * d3);
    if (k == 1 || d < best.dmin) best = {d, k};
  }
  return best;
}

inline double mean_side(const Problem& p, index_t e) {
  return p.lado(e, 1) / 3.0 + p.lado(e, 2) / 3.0 + p.lado(e, 3) / 3.0;
}

// Which integrator serves a pair: regular beyond the mean side; a source on a node under
// opcao = 1 goes to the singular integrator where the library has one, else regular;
// every other close pair to the polar integrator about the nearest node.
inline Route choose_route(double dmin, double a, int opcao, bool singular_integration) {
  if (dmin > a) return Route::regular;
  if (opcao == 1 && dmin <= kOnNodeDistance) {
    return singular_integration ? Route::singular : Route::regular;
  }
  return Route::polar;
}

// The element blocks of source s (the source point of point i) and element e.
template <class Traits>
void element_blocks(const Problem& p,
                    const HammerRule& rule,
                    const double s[3],
                    index_t e,
                    ElementBlock& ge,
                    ElementBlock& he) {
  using Kernel = typename Traits::Kernel;
  const double a = mean_side(p, e);
  const NearestNode near = nearest_node(p, e, s);
  const double cteu = p.area(e, 1) / ((1.0 - p.pois) * p.gmod * p.pi * 16.0);
  for (double& v : ge.v) v = 0.0;
  for (double& v : he.v) v = 0.0;
  switch (choose_route(near.dmin, a, p.opcao, Traits::singular_integration)) {
    case Route::regular:
      intregular<Kernel>(p, rule, s, a, cteu, e, near.dmin, Traits::on_node_band, ge, he);
      break;
    case Route::polar:
      intpolar<Kernel>(p, s, e, near.knear, ge, he);
      break;
    case Route::singular:
      intsingular(p, e, near.knear, ge, he);
      break;
  }
}

// The source point of point i: its moved position under opcao = 2, else the point itself.
inline void source_point(const Problem& p, index_t i, double s[3]) {
  const Matrix& from = p.opcao == 2 ? p.fonte : p.coord;
  for (int c = 1; c <= 3; ++c) s[c - 1] = from(i, c);
}

// Adds every element's blocks into g and h (zero on entry). Rows of different source points
// are independent, so they are shared out among threads without changing any sum; each
// point's three rows are gathered in a contiguous buffer first, in the same order of
// additions, and then stored.
template <class Traits>
void assemble(const Problem& p, const HammerRule& rule, Matrix& g, Matrix& h) {
  parallel_for(p.npt, [&](std::int64_t begin, std::int64_t end) {
    const index_t ngl = p.ngl;
    Matrix grow(ngl, 3, "g rows"), hrow(ngl, 3, "h rows");  // transposed: column j = row j
    ElementBlock ge, he;
    for (index_t i = begin + 1; i <= end; ++i) {
      double s[3];
      source_point(p, i, s);
      grow.fill(0.0);
      hrow.fill(0.0);
      for (index_t e = 1; e <= p.nelem; ++e) {
        element_blocks<Traits>(p, rule, s, e, ge, he);
        for (int m = 1; m <= 3; ++m) {
          const index_t nm = p.inc(e, m);
          for (int l = 1; l <= 3; ++l) {
            for (int j = 1; j <= 3; ++j) {
              grow(dof(nm, l), j) += ge(j, 3 * (m - 1) + l);
              hrow(dof(nm, l), j) += he(j, 3 * (m - 1) + l);
            }
          }
        }
      }
      for (index_t col = 1; col <= ngl; ++col) {
        for (int j = 1; j <= 3; ++j) {
          g(dof(i, j), col) = grow(col, j);
          h(dof(i, j), col) = hrow(col, j);
        }
      }
    }
  });
}

// Rigid-body rule (opcao != 2): each boundary point's diagonal block of h becomes
// base * I minus the other blocks of its block row over the boundary points' columns.
inline void diagonal_blocks(const Problem& p, double base, Matrix& h) {
  parallel_for(p.ncont, [&](std::int64_t begin, std::int64_t end) {
    for (index_t i = begin + 1; i <= end; ++i) {
      for (int c = 1; c <= 3; ++c) {
        for (int d = 1; d <= 3; ++d) {
          double& hii = h(dof(i, c), dof(i, d));
          hii = c == d ? base : 0.0;
          for (index_t m = 1; m <= p.ncont; ++m) {
            if (m != i) hii -= h(dof(i, c), dof(m, d));
          }
        }
      }
    }
  });
}

}  // namespace bem

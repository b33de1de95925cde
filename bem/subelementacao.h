// Sub-elementation of an element for the regular integration, and the source points that
// opcao = 2 moves outside the boundary.
#pragma once

#include <vector>

#include "hammer.h"
#include "problem.h"

namespace bem {

// Number of sub-triangles for a source at distance d from the element's nearest node, with
// a the element's mean side: 1 beyond 2a, (n - 3)^2 in (a, 2a], n^2 closer, where
// n = max(4, round(sqrt(10 / fator))) (sqrt(50) when fator <= 1e-6 in single precision).
// With on_node_band (the half-space libraries) a source closer than 1e-8 to a node counts as
// lying on it and gets one sub-triangle.
int nsubel(double a, double d, double fator, bool on_node_band);

// The element's reference triangle split into nsub = m^2 congruent sub-triangles, numbered
// strip by strip from node 1. subcoord holds nsub x 3 x 3 reals, column-major:
// area coordinate c of vertex v of sub-triangle t at (t-1) + nsub (c-1) + 3 nsub (v-1).
void subtri(int nsub, double* subcoord);

// Area coordinates in the element of rule point p placed in sub-triangle t.
void mapsub(int nsub, int t, const double* subcoord, const HammerRule& rule, int p, double L[3]);

// The subtri table of one nsub, built once and shared (the tables depend on nsub alone).
const double* subtri_table(int nsub);

// Fills p.fonte: each boundary point moved outwards along the longest-side-weighted sum of
// its elements' normals, by fator times the mean longest side, retried with 0.75 fator while
// it lies within 0.001 of an earlier source point. A point that is a node of no element
// keeps its own position. Weighted normals that cancel, or retries that never separate two
// points, end the process with a message naming the points.
void pontofora(Problem& p, const char* routine);

}  // namespace bem

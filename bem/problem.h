// The data of one call: counts, the caller's mesh copied into the library, the material and
// the element properties computed once per call.
#pragma once

#include <memory>
#include <string>

#include "matrix.h"

namespace bem {

// The caller's arguments as they arrive at the entry point (all by address).
struct EntryArguments {
  const int* opcao;
  const int* ncont;
  const int* npint;
  const int* nelem;
  double* fator;
  const double* emod;
  const double* pois;
  const double* coord;
  const int* tipo;
  const int* inc;
  double* rigidez;
};

struct Problem {
  int opcao = 0;
  int ncont = 0;
  int npint = 0;
  int nelem = 0;
  index_t npt = 0;  // ncont + npint
  index_t ngl = 0;  // 3 npt
  double fator = 0.0;
  double emod = 0.0;
  double pois = 0.0;
  double gmod = 0.0;  // emod / ((pois + 1) * 2)
  double pi = 0.0;    // acos(-1)

  Matrix coord;    // npt x 3, the library's copy
  IntMatrix inc;   // nelem x 3, the library's copy
  Matrix lado;     // nelem x 3: side k from node k to node k+1 (side 3: node 3 to node 1)
  Matrix normal;   // nelem x 3, unit normal (nodes 1, 2, 3 counter-clockwise seen from it)
  Matrix area;     // nelem x 1
  Matrix ladomax;  // nelem x 1, longest side
  Matrix fonte;    // npt x 3, source points; filled only when opcao = 2

  // Coordinate c (1..3) of local node k (1..3) of element e (1..nelem).
  double node(index_t e, int k, int c) const { return coord(inc(e, k), c); }
};

// Checks of the counts that make any storage size meaningful: a negative count ends the
// process with a message naming it. `routine` names the entry point in messages.
void check_counts(const EntryArguments& args, const char* routine);

// Checks of the element path, before anything is computed: at least one point, every node
// number in 1..npt, finite coordinates and material, emod > 0, -1 < pois <= 0.5, and
// fator > 0 under opcao = 2. A failure ends the process with a message naming the element,
// local node, point or value.
void check_element_input(const EntryArguments& args, const char* routine);

// Copies the caller's coordinates and incidence and derives npt, ngl and gmod.
void load_problem(const EntryArguments& args, Problem& p);

// Element properties lado, normal, area and ladomax of every element.
void element_properties(Problem& p);

// Ends the process naming the first element of zero area (collinear or repeated nodes).
void check_element_areas(const Problem& p, const char* routine);

}  // namespace bem

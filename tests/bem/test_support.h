// Small meshes and helpers shared by the core's tests.
#pragma once

#include <unistd.h>

#include <array>
#include <vector>

#include "bem/problem.h"

namespace bem::test {

// A Problem built from points and elements (1-based point numbers), with its element
// properties computed, as the entry point would leave it before integration.
inline Problem make_problem(const std::vector<std::array<double, 3>>& points,
                            const std::vector<std::array<int, 3>>& elements,
                            double emod = 1.0,
                            double pois = 0.25,
                            int opcao = 1,
                            double fator = 0.0,
                            int npint = 0) {
  const int npt = static_cast<int>(points.size());
  const int nelem = static_cast<int>(elements.size());
  std::vector<double> coord(static_cast<std::size_t>(3 * npt));
  std::vector<int> inc(static_cast<std::size_t>(3 * nelem)), tipo(static_cast<std::size_t>(npt));
  for (int i = 0; i < npt; ++i) {
    for (int c = 0; c < 3; ++c) coord[static_cast<std::size_t>(i + npt * c)] = points[i][c];
  }
  for (int e = 0; e < nelem; ++e) {
    for (int k = 0; k < 3; ++k) inc[static_cast<std::size_t>(e + nelem * k)] = elements[e][k];
  }
  const int ncont = npt - npint;
  EntryArguments args{&opcao, &ncont,       &npint,      &nelem,     &fator, &emod,
                      &pois,  coord.data(), tipo.data(), inc.data(), nullptr};
  Problem p;
  load_problem(args, p);
  p.fator = fator;
  if (nelem > 0) element_properties(p);
  return p;
}

// Death tests match what the dying process writes to stderr; the core writes its messages to
// stdout, so the child sends stdout to stderr first.
inline void stdout_to_stderr() {
  dup2(STDERR_FILENO, STDOUT_FILENO);
}

}  // namespace bem::test

// Both paths of a call of an entry point, for a library described by its traits:
//
//   using Kernel                 the fundamental solution (solfund with 21 arguments)
//   routine                      the entry point's name, shown in messages
//   singular_integration         a source on a node of the element (opcao = 1) is integrated
//                                semi-analytically instead of by the regular rule
//   on_node_band                 the sub-element count treats d < 1e-8 as a source on a node
//   diagonal_base                1 or 0: base of the rigid-body rule for the diagonal blocks
//   h_in_rigidez                 rigidez = mtrans g^-1 h, else mtrans g^-1
#pragma once

#include "calculo.h"
#include "hammer.h"
#include "impressao.h"
#include "matrizgeqf.h"
#include "numerics/errors.h"
#include "platform/platform.h"
#include "problem.h"
#include "subelementacao.h"

namespace bem {

// The element path: g and h, then rigidez. Writes nothing to the console or the report.
template <class Traits>
void element_path(Problem& p, const HammerRule& rule, double* rigidez) {
  element_properties(p);
  check_element_areas(p, Traits::routine);
  Matrix g(p.ngl, p.ngl, "g");
  Matrix h(p.ngl, p.ngl, "h");
  if (p.opcao == 2) pontofora(p, Traits::routine);
  assemble<Traits>(p, rule, g, h);
  if (p.opcao != 2) diagonal_blocks(p, Traits::diagonal_base, h);
  matrizgeqf(p, g, h, Traits::h_in_rigidez, rigidez);
}

// The no-element path: the report's sections, the processing time, the tone and the pause.
inline void no_element_path(const Problem& p, double t0) {
  if (p.npint >= 1) impressao::internal_point_sections();
  impressao::condition_number_line(0.0);
  const double t1 = platform::wall_clock();
  impressao::write_processing_time(impressao::processing_time(t0, t1));
  platform::tone(300, 10);
  impressao::closing_prompt_and_pause();
}

template <class Traits>
void run_entry(const EntryArguments& args) {
  check_counts(args, Traits::routine);
  const bool has_elements = *args.nelem >= 1;
  if (has_elements) check_element_input(args, Traits::routine);
  const HammerRule rule = hammer7();
  Problem p;
  load_problem(args, p);
  if (p.opcao == 1) *args.fator = 0.0;
  p.fator = *args.fator;
  const double t0 = platform::wall_clock();
  if (has_elements) {
    element_path<Traits>(p, rule, args.rigidez);
  } else {
    no_element_path(p, t0);
  }
}

// The entry points' body: no exception may leave the library.
template <class Traits>
void entry(const EntryArguments& args) {
  try {
    run_entry<Traits>(args);
  } catch (...) {
    numerics::stop(numerics::Severity::terminal, 2, Traits::routine,
                   "The required storage cannot be allocated or a system resource failed.");
  }
}

}  // namespace bem

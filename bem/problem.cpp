#include "problem.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "numerics/errors.h"

namespace bem {
namespace {

// Code of the entry points' input conditions in the error facility.
constexpr int kInputCode = 3;

[[noreturn]] void reject(const char* routine, const std::string& text) {
  numerics::stop(numerics::Severity::fatal, kInputCode, routine, text);
}

std::string real_text(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

}  // namespace

void check_counts(const EntryArguments& args, const char* routine) {
  const struct {
    const char* name;
    int value;
  } counts[] = {{"ncont", *args.ncont}, {"npint", *args.npint}, {"nelem", *args.nelem}};
  for (const auto& c : counts) {
    if (c.value < 0) {
      reject(routine, std::string("Invalid input: the count ") + c.name + " = " +
                          std::to_string(c.value) + " is negative.");
    }
  }
}

void check_element_input(const EntryArguments& args, const char* routine) {
  const index_t npt = static_cast<index_t>(*args.ncont) + *args.npint;
  const index_t nelem = *args.nelem;
  if (npt == 0) {
    reject(routine, "Invalid input: there are " + std::to_string(nelem) +
                        " elements but no points (ncont + npint = 0).");
  }
  for (index_t e = 1; e <= nelem; ++e) {
    for (int k = 1; k <= 3; ++k) {
      const int n = args.inc[(e - 1) + nelem * (k - 1)];
      if (n < 1 || n > npt) {
        reject(routine, "Invalid input: element " + std::to_string(e) + ", local node " +
                            std::to_string(k) + ", has the point number " + std::to_string(n) +
                            ", outside 1.." + std::to_string(npt) + ".");
      }
    }
  }
  for (index_t i = 1; i <= npt; ++i) {
    for (int c = 1; c <= 3; ++c) {
      const double x = args.coord[(i - 1) + npt * (c - 1)];
      if (!std::isfinite(x)) {
        reject(routine, "Invalid input: coordinate x" + std::to_string(c) + " of point " +
                            std::to_string(i) + " is not a finite number (" + real_text(x) + ").");
      }
    }
  }
  const double emod = *args.emod, pois = *args.pois, fator = *args.fator;
  if (!std::isfinite(emod) || emod <= 0.0) {
    reject(routine, "Invalid input: Young's modulus emod = " + real_text(emod) +
                        " must be a finite positive number.");
  }
  if (!std::isfinite(pois) || pois <= -1.0 || pois > 0.5) {
    reject(routine,
           "Invalid input: Poisson's ratio pois = " + real_text(pois) + " must lie in (-1, 0.5].");
  }
  if (!std::isfinite(fator)) {
    reject(routine, "Invalid input: the multiplier fator = " + real_text(fator) +
                        " is not a finite number.");
  }
  if (*args.opcao == 2 && fator <= 0.0) {
    reject(routine,
           "Invalid input: opcao = 2 moves the source points outside the boundary "
           "and needs fator > 0, but fator = " +
               real_text(fator) + ".");
  }
}

void load_problem(const EntryArguments& args, Problem& p) {
  p.opcao = *args.opcao;
  p.ncont = *args.ncont;
  p.npint = *args.npint;
  p.nelem = *args.nelem;
  p.npt = static_cast<index_t>(p.ncont) + p.npint;
  p.ngl = 3 * p.npt;
  p.emod = *args.emod;
  p.pois = *args.pois;
  p.gmod = p.emod / ((p.pois + 1.0) * 2.0);
  p.pi = std::acos(-1.0);

  p.coord = Matrix(p.npt, 3, "coord");
  for (index_t k = 0; k < p.npt * 3; ++k) p.coord.data()[k] = args.coord[k];
  const index_t nelem = p.nelem > 0 ? p.nelem : 0;
  p.inc = IntMatrix(nelem, 3, "inc");
  for (index_t k = 0; k < nelem * 3; ++k) p.inc.data()[k] = args.inc[k];
}

void element_properties(Problem& p) {
  p.lado = Matrix(p.nelem, 3, "lado");
  p.normal = Matrix(p.nelem, 3, "normal");
  p.area = Matrix(p.nelem, 1, "area");
  p.ladomax = Matrix(p.nelem, 1, "ladomax");
  for (index_t e = 1; e <= p.nelem; ++e) {
    for (int k = 1; k <= 3; ++k) {
      const int k2 = k % 3 + 1;
      const double dx1 = p.node(e, k2, 1) - p.node(e, k, 1);
      const double dx2 = p.node(e, k2, 2) - p.node(e, k, 2);
      const double dx3 = p.node(e, k2, 3) - p.node(e, k, 3);
      p.lado(e, k) = std::sqrt(dx1 * dx1 + dx2 * dx2 + dx3 * dx3);
    }
    double a[3], b[3];
    for (int c = 1; c <= 3; ++c) {
      a[c - 1] = p.node(e, 2, c) - p.node(e, 1, c);
      b[c - 1] = p.node(e, 3, c) - p.node(e, 1, c);
    }
    const double n[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                         a[0] * b[1] - a[1] * b[0]};
    p.area(e, 1) = 0.5 * std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (int c = 1; c <= 3; ++c) p.normal(e, c) = n[c - 1] / (p.area(e, 1) * 2.0);
    double lmax = p.lado(e, 1);
    if (p.lado(e, 2) > lmax) lmax = p.lado(e, 2);
    if (p.lado(e, 3) > lmax) lmax = p.lado(e, 3);
    p.ladomax(e, 1) = lmax;
  }
}

void check_element_areas(const Problem& p, const char* routine) {
  for (index_t e = 1; e <= p.nelem; ++e) {
    const double lmax = p.ladomax(e, 1);
    // Relative to the longest side, so that collinear nodes that round to a tiny nonzero
    // area are caught as well as exactly repeated ones.
    if (!(p.area(e, 1) > 1e-14 * lmax * lmax)) {
      reject(routine, "Invalid input: element " + std::to_string(e) + " (points " +
                          std::to_string(p.inc(e, 1)) + ", " + std::to_string(p.inc(e, 2)) + ", " +
                          std::to_string(p.inc(e, 3)) + ") has zero area: its nodes " +
                          "are repeated or collinear.");
    }
  }
}

}  // namespace bem

#include "subelementacao.h"

#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "numerics/errors.h"

namespace bem {
namespace {

// Single-precision values of 1e-6 and 0.001, as the library compares them.
constexpr double kFatorThreshold = 9.999999974752427e-7;
constexpr double kMinSourceDistance = 0.0010000000474974513;
// 0.75^200 is about 1e-25: a candidate that still collides is a degenerate mesh.
constexpr int kMaxRetries = 200;

void set_vertex(double* subcoord, int nsub, int t, int v, int i, int j, int m) {
  const double l2 = static_cast<double>(i) / m;
  const double l3 = static_cast<double>(j) / m;
  const double l1 = 1.0 - l2 - l3;
  const int base = (t - 1) + 3 * nsub * (v - 1);
  subcoord[base] = l1;
  subcoord[base + nsub] = l2;
  subcoord[base + 2 * nsub] = l3;
}

}  // namespace

int nsubel(double a, double d, double fator, bool on_node_band) {
  const double s = fator > kFatorThreshold ? std::sqrt((1.0 / fator) * 10.0) : std::sqrt(50.0);
  long n = std::lround(s);
  if (n < 4) n = 4;
  if (d > 2.0 * a) return 1;
  if (d > a) return static_cast<int>((n - 3) * (n - 3));
  if (on_node_band && d < 1e-8) return 1;
  return static_cast<int>(n * n);
}

void subtri(int nsub, double* subcoord) {
  const int m = static_cast<int>(std::lround(std::sqrt(static_cast<double>(nsub))));
  for (int k = 1; k <= m; ++k) {
    int t = (k - 1) * (k - 1);
    for (int j = 0; j <= k - 1; ++j) {
      ++t;  // U(j)
      set_vertex(subcoord, nsub, t, 1, k - 1 - j, j, m);
      set_vertex(subcoord, nsub, t, 2, k - j, j, m);
      set_vertex(subcoord, nsub, t, 3, k - 1 - j, j + 1, m);
      if (j == k - 1) break;
      ++t;  // D(j)
      set_vertex(subcoord, nsub, t, 1, k - 1 - j, j, m);
      set_vertex(subcoord, nsub, t, 2, k - 1 - j, j + 1, m);
      set_vertex(subcoord, nsub, t, 3, k - 2 - j, j + 1, m);
    }
  }
}

void mapsub(int nsub, int t, const double* subcoord, const HammerRule& rule, int p, double L[3]) {
  for (int c = 1; c <= 3; ++c) {
    const int base = (t - 1) + nsub * (c - 1);
    L[c - 1] = subcoord[base] * rule.L(p, 1) + subcoord[base + 3 * nsub] * rule.L(p, 2) +
               subcoord[base + 6 * nsub] * rule.L(p, 3);
  }
}

const double* subtri_table(int nsub) {
  // Each thread remembers the tables it has seen, so the shared map is locked once per
  // thread and count, not once per element.
  thread_local std::map<int, const double*> seen;
  if (const auto it = seen.find(nsub); it != seen.end()) return it->second;
  static std::mutex mutex;
  static std::map<int, std::unique_ptr<double[]>> tables;
  std::lock_guard<std::mutex> lock(mutex);
  auto& table = tables[nsub];
  if (!table) {
    table = allocate_reals(static_cast<index_t>(nsub) * 9, "subcoord");
    subtri(nsub, table.get());
  }
  seen[nsub] = table.get();
  return table.get();
}

void pontofora(Problem& p, const char* routine) {
  p.fonte = Matrix(p.npt, 3, "fonte");
  for (index_t i = 1; i <= p.npt; ++i) {
    double x[3];
    for (int c = 1; c <= 3; ++c) x[c - 1] = p.coord(i, c);
    double f = p.fator;
    for (int attempt = 0;; ++attempt) {
      for (int c = 1; c <= 3; ++c) p.fonte(i, c) = x[c - 1];
      double hsum = 0.0;
      int count = 0;
      for (index_t e = 1; e <= p.nelem; ++e) {
        if (p.inc(e, 1) != i && p.inc(e, 2) != i && p.inc(e, 3) != i) continue;
        hsum += p.ladomax(e, 1);
        for (int c = 1; c <= 3; ++c) {
          p.fonte(i, c) = p.normal(e, c) * p.ladomax(e, 1) * f + p.fonte(i, c);
        }
        ++count;
      }
      // A point on no element (an internal point) is its own source point.
      if (count == 0) break;
      double t[3];
      for (int c = 1; c <= 3; ++c) t[c - 1] = p.fonte(i, c) - x[c - 1];
      const double tlen = std::sqrt(t[0] * t[0] + t[1] * t[1] + t[2] * t[2]);
      if (!(tlen > 1e-12 * hsum * f)) {
        numerics::stop(numerics::Severity::fatal, 3, routine,
                       "Invalid input for opcao = 2: the normals of the elements at point " +
                           std::to_string(i) +
                           " cancel, so no direction outside the boundary can be found.");
      }
      for (int c = 0; c < 3; ++c) t[c] = t[c] / tlen;
      const double hbar = hsum / count;
      for (int c = 1; c <= 3; ++c) p.fonte(i, c) = t[c - 1] * hbar * f + x[c - 1];
      index_t clash = 0;
      for (index_t j = 1; j < i && clash == 0; ++j) {
        const double d1 = p.fonte(i, 1) - p.fonte(j, 1), d2 = p.fonte(i, 2) - p.fonte(j, 2),
                     d3 = p.fonte(i, 3) - p.fonte(j, 3);
        if (!(std::sqrt(d1 * d1 + d2 * d2 + d3 * d3) > kMinSourceDistance)) clash = j;
      }
      if (clash == 0) break;
      if (attempt == kMaxRetries) {
        numerics::stop(numerics::Severity::fatal, 3, routine,
                       "Invalid input for opcao = 2: the source point of point " +
                           std::to_string(i) +
                           " still lies within 0.001 of the source point of "
                           "point " +
                           std::to_string(clash) + " after " + std::to_string(kMaxRetries) +
                           " smaller multipliers.");
      }
      f = f * 0.75;
    }
  }
}

}  // namespace bem

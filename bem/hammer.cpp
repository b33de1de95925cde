#include "hammer.h"

namespace bem {
namespace {

// A point whose three area coordinates are (x, y, y) permuted: (x,y,y), (y,x,y), (y,y,x).
void orbit3(double* coord, int n, int first, double x, double y, double w, double* peso) {
  for (int q = 0; q < 3; ++q) {
    const int p = first + q;  // 0-based row
    for (int c = 0; c < 3; ++c) coord[p + n * c] = (c == q) ? x : y;
    peso[p] = w;
  }
}

void set_point(double* coord, int n, int p, double l1, double l2, double l3) {
  coord[p] = l1;
  coord[p + n] = l2;
  coord[p + 2 * n] = l3;
}

}  // namespace

void hammer(int n, double* hamcoord, double* hampeso) {
  const double third = 1.0 / 3.0;
  switch (n) {
    case 1:
      set_point(hamcoord, n, 0, third, third, third);
      hampeso[0] = 1.0;
      return;
    case 3:
      set_point(hamcoord, n, 0, 0.5, 0.5, 0.0);
      set_point(hamcoord, n, 1, 0.0, 0.5, 0.5);
      set_point(hamcoord, n, 2, 0.5, 0.0, 0.5);
      for (int p = 0; p < 3; ++p) hampeso[p] = third;
      return;
    case 4:
      set_point(hamcoord, n, 0, third, third, third);
      hampeso[0] = -0.5625;
      orbit3(hamcoord, n, 1, 0.6, 0.2, 0.5208333333333334, hampeso);
      return;
    case 7:
      set_point(hamcoord, n, 0, third, third, third);
      hampeso[0] = 0.225;
      orbit3(hamcoord, n, 1, 0.79742699, 0.10128651, 0.12593918, hampeso);
      orbit3(hamcoord, n, 4, 0.05971587, 0.47014206, 0.13239415, hampeso);
      return;
    case 13: {
      set_point(hamcoord, n, 0, third, third, third);
      hampeso[0] = -0.149570044467682;
      orbit3(hamcoord, n, 1, 0.47930806784192, 0.26034596607904, 0.175615257433208, hampeso);
      orbit3(hamcoord, n, 4, 0.869739794195568, 0.065130102902216, 0.053347235608838, hampeso);
      const double k = 0.63844418856981, l = 0.312865496004874, m = 0.048690315425316;
      set_point(hamcoord, n, 7, k, l, m);
      set_point(hamcoord, n, 8, m, k, l);
      set_point(hamcoord, n, 9, l, m, k);
      set_point(hamcoord, n, 10, k, m, l);
      set_point(hamcoord, n, 11, l, k, m);
      set_point(hamcoord, n, 12, m, l, k);
      for (int p = 7; p < 13; ++p) hampeso[p] = 0.077113760890257;
      return;
    }
    default:
      return;
  }
}

HammerRule hammer7() {
  HammerRule rule{};
  hammer(7, rule.coord, rule.peso);
  return rule;
}

}  // namespace bem

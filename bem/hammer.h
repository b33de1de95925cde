// Hammer rules on the triangle, in area coordinates, weights normalised to a total of 1.
#pragma once

namespace bem {

// Writes rows 1..n of hamcoord (n x 3, column-major, leading dimension n: area coordinate c
// of point p at hamcoord[(p-1) + n(c-1)]) and hampeso (n weights) for n = 1, 3, 4, 7 or 13.
// Any other n leaves both arrays untouched. The 7-point rule keeps its eight-decimal table
// values, so its coordinates and weights sum to 1 only to within 1e-8.
void hammer(int n, double* hamcoord, double* hampeso);

// The 7-point rule that every element integration uses, filled once per call.
struct HammerRule {
  static constexpr int n = 7;
  double coord[7 * 3];  // column-major 7 x 3
  double peso[7];
  double L(int p, int c) const { return coord[(p - 1) + 7 * (c - 1)]; }
};
HammerRule hammer7();

}  // namespace bem

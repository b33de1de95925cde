// A disk of unit radius in the plane x3 = 0, meshed in rings: ring k (k = 1..rings) holds 6k
// nodes at radius k / rings, so the outline is a regular polygon of 6 rings sides. Nodes run
// counter-clockwise seen from x3 < 0 (the normal is -e3, pointing out of the half-space
// x3 >= 0).
#pragma once

#include <cmath>

#include "sphere.h"

namespace bem::test {

inline Mesh disk(int rings) {
  const double pi = std::acos(-1.0);
  Mesh m;
  m.points.push_back({0, 0, 0});
  std::vector<int> first(static_cast<std::size_t>(rings) + 1, 1);  // first point of ring k
  for (int k = 1; k <= rings; ++k) {
    first[static_cast<std::size_t>(k)] = static_cast<int>(m.points.size()) + 1;
    for (int j = 0; j < 6 * k; ++j) {
      const double angle = 2 * pi * j / (6 * k), radius = static_cast<double>(k) / rings;
      m.points.push_back({radius * std::cos(angle), radius * std::sin(angle), 0});
    }
  }
  // Point j (0-based, cyclic) of ring k.
  const auto at = [&](int k, int j) {
    if (k == 0) return 1;
    return first[static_cast<std::size_t>(k)] + (j % (6 * k) + 6 * k) % (6 * k);
  };
  for (int k = 1; k <= rings; ++k) {
    for (int s = 0; s < 6; ++s) {
      // Sector s: k outer points and k - 1 inner points, (2k - 1) triangles.
      for (int t = 0; t < k; ++t) {
        const int outer = s * k + t, inner = s * (k - 1) + t;
        m.elements.push_back({at(k, outer), at(k - 1, inner), at(k, outer + 1)});
        if (t < k - 1) m.elements.push_back({at(k - 1, inner), at(k - 1, inner + 1), at(k, outer + 1)});
      }
    }
  }
  return m;
}

// Area of the disk mesh's outline and the radius of the circle of the same area.
inline double disk_equivalent_radius(int rings) {
  const double pi = std::acos(-1.0);
  const int sides = 6 * rings;
  const double area = 0.5 * sides * std::sin(2 * pi / sides);
  return std::sqrt(area / pi);
}

}  // namespace bem::test

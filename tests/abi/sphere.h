// A closed triangulated unit sphere (subdivided icosahedron), nodes counter-clockwise seen
// from outside, so that every element normal points outwards.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace bem::test {

struct Mesh {
  std::vector<std::array<double, 3>> points;
  std::vector<std::array<int, 3>> elements;  // 1-based point numbers

  std::vector<double> coord() const {  // npt x 3, column-major
    const std::size_t n = points.size();
    std::vector<double> c(3 * n);
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t k = 0; k < 3; ++k) c[i + n * k] = points[i][k];
    }
    return c;
  }
  std::vector<int> inc() const {  // nelem x 3, column-major
    const std::size_t n = elements.size();
    std::vector<int> c(3 * n);
    for (std::size_t e = 0; e < n; ++e) {
      for (std::size_t k = 0; k < 3; ++k) c[e + n * k] = elements[e][k];
    }
    return c;
  }
};

inline Mesh icosphere(int subdivisions, double radius = 1.0) {
  const double t = (1.0 + std::sqrt(5.0)) / 2.0;
  Mesh m;
  m.points = {{-1, t, 0},  {1, t, 0},  {-1, -t, 0}, {1, -t, 0}, {0, -1, t},  {0, 1, t},
              {0, -1, -t}, {0, 1, -t}, {t, 0, -1},  {t, 0, 1},  {-t, 0, -1}, {-t, 0, 1}};
  m.elements = {{1, 12, 6}, {1, 6, 2},  {1, 2, 8},   {1, 8, 11}, {1, 11, 12},
                {2, 6, 10}, {6, 12, 5}, {12, 11, 3}, {11, 8, 7}, {8, 2, 9},
                {4, 10, 5}, {4, 5, 3},  {4, 3, 7},   {4, 7, 9},  {4, 9, 10},
                {5, 10, 6}, {3, 5, 12}, {7, 3, 11},  {9, 7, 8},  {10, 9, 2}};
  for (int s = 0; s < subdivisions; ++s) {
    std::map<std::pair<int, int>, int> midpoints;
    const auto midpoint = [&](int a, int b) {
      const auto key = std::minmax(a, b);
      if (const auto it = midpoints.find(key); it != midpoints.end()) return it->second;
      const auto& pa = m.points[static_cast<std::size_t>(a - 1)];
      const auto& pb = m.points[static_cast<std::size_t>(b - 1)];
      m.points.push_back({(pa[0] + pb[0]) / 2, (pa[1] + pb[1]) / 2, (pa[2] + pb[2]) / 2});
      const int id = static_cast<int>(m.points.size());
      midpoints[key] = id;
      return id;
    };
    std::vector<std::array<int, 3>> finer;
    for (const auto& e : m.elements) {
      const int a = midpoint(e[0], e[1]), b = midpoint(e[1], e[2]), c = midpoint(e[2], e[0]);
      finer.push_back({e[0], a, c});
      finer.push_back({e[1], b, a});
      finer.push_back({e[2], c, b});
      finer.push_back({a, b, c});
    }
    m.elements = std::move(finer);
  }
  for (auto& p : m.points) {
    const double r = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    for (double& x : p) x = x / r * radius;
  }
  return m;
}

}  // namespace bem::test

#include "triangulo.h"

#include <cmath>

namespace bem {

Point3 point_map(const Problem& p, index_t e, const double L[3]) {
  Point3 x{};
  for (int c = 1; c <= 3; ++c) {
    double v = 0.0;
    for (int k = 1; k <= 3; ++k) v += L[k - 1] * p.node(e, k, c);
    x.x[c - 1] = v;
  }
  return x;
}

void polar_area_coordinates(int k, double rho, double cos_theta, double sin_theta, double L[3]) {
  const int i1 = cyclic_next(k), i2 = cyclic_after_next(k);
  L[i1 - 1] = cos_theta * rho;
  L[i2 - 1] = sin_theta * rho;
  L[k - 1] = 1.0 - L[i1 - 1] - L[i2 - 1];
}

double sind(double degrees, double pi) {
  return std::sin(degrees * pi / 180.0);
}
double cosd(double degrees, double pi) {
  return std::cos(degrees * pi / 180.0);
}

Frame sistlocal(const Problem& p, index_t e, int p1, int p2) {
  double v[3], n[3];
  for (int c = 1; c <= 3; ++c) {
    v[c - 1] = p.node(e, p2, c) - p.node(e, p1, c);
    n[c - 1] = p.normal(e, c);
  }
  const double t[3] = {v[2] * n[1] - v[1] * n[2], v[0] * n[2] - v[2] * n[0],
                       v[1] * n[0] - v[0] * n[1]};
  const double tlen = std::sqrt(t[0] * t[0] + t[1] * t[1] + t[2] * t[2]);
  const double vlen = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  const double nlen = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  Frame f{};
  for (int c = 0; c < 3; ++c) {
    f.t[0][c] = v[c] / vlen;
    f.t[1][c] = t[c] / tlen;
    f.t[2][c] = n[c] / nlen;
  }
  return f;
}

LocalCoordinates coordlocal(const Problem& p, index_t e, int p1, int p2, int p3) {
  double u[3], w[3];
  for (int c = 1; c <= 3; ++c) {
    u[c - 1] = p.node(e, p2, c) - p.node(e, p1, c);
    w[c - 1] = p.node(e, p3, c) - p.node(e, p1, c);
  }
  const double l2 = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
  const double l3 = std::sqrt(w[0] * w[0] + w[1] * w[1] + w[2] * w[2]);
  for (int c = 0; c < 3; ++c) {
    u[c] = u[c] / l2;
    w[c] = w[c] / l3;
  }
  LocalCoordinates local{};
  local.alpha = std::acos(u[0] * w[0] + u[1] * w[1] + u[2] * w[2]) * 180.0 / p.pi;
  local.xl[p1 - 1] = 0.0;
  local.yl[p1 - 1] = 0.0;
  local.xl[p2 - 1] = l2;
  local.yl[p2 - 1] = 0.0;
  local.xl[p3 - 1] = l3 * cosd(local.alpha, p.pi);
  local.yl[p3 - 1] = l3 * sind(local.alpha, p.pi);
  return local;
}

EdgeCoefficients coeflado(int k, const LocalCoordinates& local) {
  const int i1 = cyclic_next(k), i2 = cyclic_after_next(k);
  return {local.xl[i2 - 1] - local.xl[i1 - 1], local.yl[i1 - 1] - local.yl[i2 - 1]};
}

}  // namespace bem

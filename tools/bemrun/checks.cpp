#include "tools/bemrun/checks.h"

#include <cassert>
#include <cmath>
#include <cstddef>

namespace bemrun {
namespace {

// f = rigidez u, summed over the columns in increasing order.
std::vector<double> multiply(const std::vector<double>& rigidez,
                             int ngl,
                             const std::vector<double>& u) {
  const auto n = static_cast<std::size_t>(ngl);
  assert(rigidez.size() == n * n && u.size() == n);
  std::vector<double> f(n, 0.0);
  for (std::size_t c = 0; c < n; ++c) {
    if (u[c] == 0.0) continue;
    const double* column = rigidez.data() + n * c;
    for (std::size_t r = 0; r < n; ++r) f[r] += column[r] * u[c];
  }
  return f;
}

std::size_t dof(int point, int k) {
  return 3 * static_cast<std::size_t>(point - 1) + (k - 1);
}

}  // namespace

double max_abs_row_sum(const std::vector<double>& rigidez, int ngl) {
  const auto n = static_cast<std::size_t>(ngl);
  std::vector<double> sums(n, 0.0);
  for (std::size_t c = 0; c < n; ++c) {
    for (std::size_t r = 0; r < n; ++r) sums[r] += std::fabs(rigidez[r + n * c]);
  }
  double largest = 0.0;
  for (double s : sums) largest = std::fmax(largest, s);
  return largest;
}

TranslationCheck rigid_translation_check(const std::vector<double>& rigidez, int ngl) {
  TranslationCheck check;
  check.max_row_sum = max_abs_row_sum(rigidez, ngl);
  const int npt = ngl / 3;
  for (int k = 1; k <= 3; ++k) {
    std::vector<double> u(static_cast<std::size_t>(ngl), 0.0);
    for (int i = 1; i <= npt; ++i) u[dof(i, k)] = 1.0;
    double largest = 0.0;
    for (double f : multiply(rigidez, ngl, u)) largest = std::fmax(largest, std::fabs(f));
    check.residual[static_cast<std::size_t>(k - 1)] = largest / check.max_row_sum;
  }
  return check;
}

NodalGeometry nodal_geometry(const Mesh& mesh) {
  const auto npt = static_cast<std::size_t>(mesh.npt());
  NodalGeometry geometry;
  geometry.area.assign(npt, 0.0);
  geometry.normal.assign(npt, {0.0, 0.0, 0.0});
  for (int e = 1; e <= mesh.nelem(); ++e) {
    std::array<double, 3> a{}, b{};
    for (int k = 1; k <= 3; ++k) {
      const double p1 = mesh.x(mesh.node(e, 1), k);
      a[static_cast<std::size_t>(k - 1)] = mesh.x(mesh.node(e, 2), k) - p1;
      b[static_cast<std::size_t>(k - 1)] = mesh.x(mesh.node(e, 3), k) - p1;
    }
    // Half the cross product: the element's area times its unit normal.
    const std::array<double, 3> weighted = {0.5 * (a[1] * b[2] - a[2] * b[1]),
                                            0.5 * (a[2] * b[0] - a[0] * b[2]),
                                            0.5 * (a[0] * b[1] - a[1] * b[0])};
    const double area = std::sqrt(weighted[0] * weighted[0] + weighted[1] * weighted[1] +
                                  weighted[2] * weighted[2]);
    for (int local = 1; local <= 3; ++local) {
      const auto i = static_cast<std::size_t>(mesh.node(e, local) - 1);
      geometry.area[i] += area / 3.0;
      for (std::size_t k = 0; k < 3; ++k) geometry.normal[i][k] += weighted[k];
    }
  }
  for (auto& n : geometry.normal) {
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length > 0.0) {
      for (double& c : n) c /= length;
    }
  }
  return geometry;
}

DilatationCheck dilatation_check(
    const std::vector<double>& rigidez, const Mesh& mesh, double emod, double pois, double strain) {
  const int npt = mesh.npt();
  const int ngl = 3 * npt;
  std::vector<double> u(static_cast<std::size_t>(ngl));
  for (int i = 1; i <= npt; ++i) {
    for (int k = 1; k <= 3; ++k) u[dof(i, k)] = strain * mesh.x(i, k);
  }
  const std::vector<double> f = multiply(rigidez, ngl, u);
  const NodalGeometry geometry = nodal_geometry(mesh);

  DilatationCheck check;
  check.strain = strain;
  const double bulk = emod / (3.0 * (1.0 - 2.0 * pois));
  check.exact_pressure = 3.0 * bulk * strain;
  double sum = 0.0;
  for (int i = 1; i <= npt; ++i) {
    const auto& n = geometry.normal[static_cast<std::size_t>(i - 1)];
    const double normal_force = f[dof(i, 1)] * n[0] + f[dof(i, 2)] * n[1] + f[dof(i, 3)] * n[2];
    const double p = normal_force / geometry.area[static_cast<std::size_t>(i - 1)];
    sum += p;
    const double error = std::fabs(p - check.exact_pressure) / std::fabs(check.exact_pressure);
    if (check.worst_point == 0 || error > check.max_relative_error) {
      check.max_relative_error = error;
      check.worst_point = i;
    }
  }
  check.mean_pressure = sum / npt;
  check.mean_relative_error = (check.mean_pressure - check.exact_pressure) / check.exact_pressure;
  return check;
}

bool is_surface_mesh(const Mesh& mesh) {
  for (int i = 1; i <= mesh.npt(); ++i) {
    if (mesh.x(i, 3) != 0.0) return false;
  }
  return mesh.npt() > 0;
}

FootingCheck footing_check(const std::vector<double>& rigidez,
                           const Mesh& mesh,
                           double emod,
                           double pois) {
  FootingCheck check;
  const NodalGeometry geometry = nodal_geometry(mesh);
  for (double a : geometry.area) check.area += a;
  const double pi = std::acos(-1.0);
  check.radius = std::sqrt(check.area / pi);
  const auto npt = static_cast<std::size_t>(mesh.npt()), ngl = 3 * npt;
  for (std::size_t i = 0; i < npt; ++i) {
    for (std::size_t j = 0; j < npt; ++j)
      check.vertical_stiffness += rigidez[(3 * i + 2) + ngl * (3 * j + 2)];
  }
  const double G = emod / (2.0 * (1.0 + pois));
  // ln(3 - 4 nu) / (1 - 2 nu) tends to 2 as nu tends to 0.5.
  const double b = 1.0 - 2.0 * pois;
  const double factor = b > 1e-12 ? std::log(1.0 + 2.0 * b) / b : 2.0;
  check.bonded = 4.0 * G * check.radius * factor;
  check.frictionless = 4.0 * G * check.radius / (1.0 - pois);
  return check;
}

}  // namespace bemrun

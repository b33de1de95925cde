// bemrun: loads a boundary element library at run time and calls its entry point with the mesh
// of a model data file; writes rigidez as a .npy file.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "tools/bemrun/checks.h"
#include "tools/bemrun/library_loader.h"
#include "tools/bemrun/model_file.h"
#include "tools/bemrun/npy.h"
#include "tools/bemrun/options.h"

namespace {

using bemrun::InputError;
using bemrun::Mesh;
using bemrun::Options;

struct CallResult {
  std::vector<double> rigidez;
  double fator = 0.0;
  double seconds = 0.0;
};

std::optional<std::string> environment_folder() {
  const char* value = std::getenv("BEM_LIBRARY_PATH");
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

CallResult call_library(const bemrun::EntryPoint& entry, const Mesh& mesh, const Options& options) {
  const int npt = mesh.npt();
  const int ncont = npt;
  const int npint = 0;
  const int nelem = mesh.nelem();
  const int ngl = 3 * npt;
  const std::vector<int> tipo(static_cast<std::size_t>(npt), 0);
  CallResult result;
  // NaN marks every entry the library leaves unwritten.
  result.rigidez.assign(static_cast<std::size_t>(ngl) * static_cast<std::size_t>(ngl),
                        std::nan(""));
  result.fator = options.fator_value();
  const auto start = std::chrono::steady_clock::now();
  entry.function(&options.opcao, &ncont, &npint, &nelem, &result.fator, &options.emod,
                 &options.pois, mesh.coord.data(), tipo.data(), mesh.inc.data(),
                 result.rigidez.data());
  const auto end = std::chrono::steady_clock::now();
  result.seconds = std::chrono::duration<double>(end - start).count();
  return result;
}

void print_summary(const bemrun::Library& library,
                   const bemrun::EntryPoint& entry,
                   const Mesh& mesh,
                   const Options& options,
                   const CallResult& result) {
  const int ngl = 3 * mesh.npt();
  std::printf("library            : %s\n", library.path().string().c_str());
  std::printf("function           : %s\n", entry.name.c_str());
  std::printf("points             : %d (boundary %d, internal 0)\n", mesh.npt(), mesh.npt());
  std::printf("elements           : %d\n", mesh.nelem());
  std::printf("degrees of freedom : %d\n", ngl);
  std::printf("opcao              : %d\n", options.opcao);
  std::printf("fator (after call) : %.15g\n", result.fator);
  std::printf("emod, pois         : %.15g, %.15g\n", options.emod, options.pois);
  std::printf("call time          : %.3f s\n", result.seconds);
  std::printf("output             : %s (%d x %d, float64, Fortran order)\n",
              options.output_path().string().c_str(), ngl, ngl);
}

void print_footing_check(const Mesh& mesh, const Options& options, const CallResult& result) {
  const bemrun::FootingCheck f =
      bemrun::footing_check(result.rigidez, mesh, options.emod, options.pois);
  std::printf("check rigid footing       : surface mesh of area %.6g, equivalent radius a = %.6g\n",
              f.area, f.radius);
  std::printf("  vertical stiffness      : %.6e (sum of vertical forces for a unit settlement)\n",
              f.vertical_stiffness);
  std::printf("  bonded circular punch   : %.6e = 4 G a ln(3 - 4 nu) / (1 - 2 nu) (error %+.3e)\n",
              f.bonded, f.vertical_stiffness / f.bonded - 1.0);
  std::printf("  frictionless punch      : %.6e = 4 G a / (1 - nu)\n", f.frictionless);
}

void print_checks(const Mesh& mesh, const Options& options, const CallResult& result) {
  // On the surface of a half-space a translation is resisted by the soil: the footing's
  // stiffness is the check there.
  if (bemrun::is_surface_mesh(mesh)) {
    print_footing_check(mesh, options, result);
    return;
  }
  const int ngl = 3 * mesh.npt();
  const bemrun::TranslationCheck translation = bemrun::rigid_translation_check(result.rigidez, ngl);
  static constexpr char kAxis[] = {'x', 'y', 'z'};
  for (std::size_t k = 0; k < 3; ++k) {
    std::printf("check rigid translation %c : max |f| / max row sum |rigidez| = %.3e\n", kAxis[k],
                translation.residual[k]);
  }
  if (options.pois == 0.5) {
    std::printf(
        "check uniform dilatation  : not done, an incompressible solid has no finite "
        "bulk modulus\n");
    return;
  }
  const bemrun::DilatationCheck dilatation =
      bemrun::dilatation_check(result.rigidez, mesh, options.emod, options.pois);
  std::printf("check uniform dilatation  : u = e x, e = %g, exact pressure 3 K e = %.6e\n",
              dilatation.strain, dilatation.exact_pressure);
  std::printf("  mean nodal pressure     : %.6e (relative error %+.3e)\n", dilatation.mean_pressure,
              dilatation.mean_relative_error);
  std::printf("  largest relative error  : %.3e at node %d\n", dilatation.max_relative_error,
              mesh.node_number[static_cast<std::size_t>(dilatation.worst_point - 1)]);
}

int run(const Options& options, const char* argv0) {
  const Mesh mesh = bemrun::read_model_file(options.model);
  const bemrun::Library library(bemrun::resolve_library(options.library, environment_folder(),
                                                        bemrun::executable_folder(argv0)));
  const bemrun::EntryPoint entry = bemrun::find_entry_point(library);
  const std::filesystem::path output = options.output_path();
  bemrun::check_writable(output);

  const CallResult result = call_library(entry, mesh, options);
  std::size_t bad = 0;
  for (double v : result.rigidez) bad += std::isfinite(v) ? 0 : 1;
  if (bad != 0) {
    throw InputError(library.path().string() + ": " + entry.name + " left " + std::to_string(bad) +
                     " of " + std::to_string(result.rigidez.size()) +
                     " entries of rigidez unwritten or not finite; no output written");
  }
  const auto ngl = static_cast<std::size_t>(3 * mesh.npt());
  bemrun::write_npy(output, result.rigidez.data(), ngl, ngl);
  print_summary(library, entry, mesh, options, result);
  if (options.check) print_checks(mesh, options, result);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  try {
    options = bemrun::parse_options(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const bemrun::UsageError& error) {
    std::fprintf(stderr, "bemrun: %s\n(bemrun --help shows the usage)\n", error.what());
    return 2;
  }
  if (options.help) {
    std::fputs(bemrun::usage_text().c_str(), stdout);
    return 0;
  }
  try {
    return run(options, argc > 0 ? argv[0] : nullptr);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "bemrun: not enough memory for the matrices of %s\n",
                 options.model.c_str());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bemrun: %s\n", error.what());
  }
  return 1;
}

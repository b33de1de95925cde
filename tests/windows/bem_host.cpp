// The test host of the three libraries, built for Linux (dlopen) and for Windows (LoadLibrary,
// GetProcAddress by the decorated name): the same cases on both, so that their outputs can be
// compared.
//
//   bem_host REPORT LIBDIR EXAMPLES OUTDIR
//
// REPORT is the report file the libraries take from the first command-line argument; LIBDIR
// holds bemfull/, bemdeep/, bemsurf/ with the built libraries; EXAMPLES the model files.
// For every element case, OUTDIR receives CASE.npy (rigidez, float64, Fortran order) and
// CASE.case (the call's input as text for the Fortran caller: the library, npt nelem opcao,
// fator emod pois, the coordinate rows, the incidence rows). Then two calls on the
// no-element path write the report and the console texts (stdout; end of input or a blank
// line answers the pause). Messages go to stderr; the exit status is 0 when every check held.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "host_library.h"
#include "tools/bemrun/model_file.h"
#include "tools/bemrun/npy.h"

namespace {

struct ElementCase {
  const char* name;
  const char* library;
  const char* function;
  const char* model;
  double emod;
  double pois;
  int opcao;
  double fator;
  bool repeat;  // call a second time with another tipo: the same rigidez, bit for bit
};

// The bundled examples: the Kelvin library on the closed sphere under both integration
// options, the half-space libraries on the surface disk.
constexpr ElementCase kCases[] = {
    {"sphere-162-bemfull-opcao1", "bemfull", "kelvin3d", "sphere-162.txt", 210000.0, 0.3, 1, 0.5,
     true},
    {"sphere-162-bemfull-opcao2", "bemfull", "kelvin3d", "sphere-162.txt", 210000.0, 0.3, 2, 0.5,
     false},
    {"disk-217-bemsurf", "bemsurf", "boussinesq_cerruti3d", "disk-217.txt", 30000.0, 0.25, 1, 0.5,
     false},
    {"disk-217-bemdeep", "bemdeep", "mindlin3d", "disk-217.txt", 30000.0, 0.25, 1, 0.5, false},
};

int failures = 0;

void fail(const std::string& what) {
  std::fprintf(stderr, "FAIL: %s\n", what.c_str());
  ++failures;
}

std::string library_path(const std::string& folder, const std::string& name) {
#if defined(_WIN32)
  return folder + "/" + name + "/" + name + ".dll";
#else
  return folder + "/" + name + "/lib" + name + ".so";
#endif
}

bool same_bits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

void write_case_file(const std::string& path, const ElementCase& c, const bemrun::Mesh& mesh) {
  std::FILE* out = std::fopen(path.c_str(), "w");
  if (out == nullptr) {
    fail("cannot write " + path);
    return;
  }
  const int npt = mesh.npt(), nelem = mesh.nelem();
  std::fprintf(out, "%s\n%d %d %d\n%.17g %.17g %.17g\n", c.library, npt, nelem, c.opcao, c.fator,
               c.emod, c.pois);
  for (int i = 1; i <= npt; ++i) {
    std::fprintf(out, "%.17g %.17g %.17g\n", mesh.x(i, 1), mesh.x(i, 2), mesh.x(i, 3));
  }
  for (int e = 1; e <= nelem; ++e) {
    std::fprintf(out, "%d %d %d\n", mesh.node(e, 1), mesh.node(e, 2), mesh.node(e, 3));
  }
  std::fclose(out);
}

// Every call must write every entry; a repeated call with another tipo must agree bit for bit.
// (Repeated once only: under emulated 32-bit Wine every call costs seconds.)
void run_element_case(const ElementCase& c,
                      const std::string& libdir,
                      const std::string& examples,
                      const std::string& outdir) {
  const bem::host::HostLibrary lib(library_path(libdir, c.library), c.function);
  if (!lib.ok()) return fail(std::string(c.name) + ": " + lib.error());
  const bemrun::Mesh mesh = bemrun::read_model_file(examples + "/" + c.model);
  const int ncont = mesh.npt(), npint = 0, nelem = mesh.nelem(), ngl = 3 * mesh.npt();
  const auto entries = static_cast<std::size_t>(ngl) * static_cast<std::size_t>(ngl);
  std::vector<double> results[2];
  for (int call = 0; call < (c.repeat ? 2 : 1); ++call) {
    const std::vector<int> tipo(static_cast<std::size_t>(ncont), call == 0 ? 0 : 7);
    results[call].assign(entries, std::nan(""));
    double fator = c.fator;
    lib.entry()(&c.opcao, &ncont, &npint, &nelem, &fator, &c.emod, &c.pois, mesh.coord.data(),
                tipo.data(), mesh.inc.data(), results[call].data());
    const double expected = c.opcao == 1 ? 0.0 : c.fator;
    if (fator != expected) fail(std::string(c.name) + ": fator after the call is wrong");
    std::size_t unwritten = 0;
    for (double v : results[call]) unwritten += std::isfinite(v) ? 0 : 1;
    if (unwritten != 0) {
      fail(std::string(c.name) + ": " + std::to_string(unwritten) + " entries not written");
    }
  }
  if (c.repeat && !same_bits(results[0], results[1])) {
    fail(std::string(c.name) + ": a second call with another tipo gave another rigidez");
  }
  bemrun::write_npy(outdir + "/" + c.name + ".npy", results[0].data(),
                    static_cast<std::size_t>(ngl), static_cast<std::size_t>(ngl));
  write_case_file(outdir + "/" + c.name + ".case", c, mesh);
  std::fprintf(stderr, "%s: %s on %s, %d x %d\n", c.name, lib.symbol().c_str(), c.model, ngl, ngl);
}

bool file_exists(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (f != nullptr) std::fclose(f);
  return f != nullptr;
}

// npint = 0, then npint = 3: the report gets both calls' lines, rigidez stays untouched.
void run_no_element_calls(const std::string& libdir) {
  const bem::host::HostLibrary lib(library_path(libdir, "bemfull"), "kelvin3d");
  if (!lib.ok()) return fail("no-element path: " + lib.error());
  for (const int npint : {0, 3}) {
    const int opcao = 1, ncont = 0, nelem = 0;
    double fator = 0.5;
    const double emod = 1.0, pois = 0.25;
    const std::vector<double> coord(static_cast<std::size_t>(3 * npint), 0.0);
    const std::vector<int> tipo(static_cast<std::size_t>(npint), 0), inc(1, 0);
    std::vector<double> rigidez(static_cast<std::size_t>(9 * npint * npint) + 1, 42.0);
    lib.entry()(&opcao, &ncont, &npint, &nelem, &fator, &emod, &pois, coord.data(), tipo.data(),
                inc.data(), rigidez.data());
    for (double v : rigidez) {
      if (v != 42.0) return fail("no-element path wrote rigidez");
    }
    if (fator != 0.0) fail("no-element path: fator not reset under opcao 1");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fputs("usage: bem_host REPORT LIBDIR EXAMPLES OUTDIR\n", stderr);
    return 2;
  }
  const std::string report = argv[1], libdir = argv[2], examples = argv[3], outdir = argv[4];
  std::remove(report.c_str());
  try {
    for (const ElementCase& c : kCases) run_element_case(c, libdir, examples, outdir);
  } catch (const std::exception& error) {
    fail(error.what());
  }
  if (file_exists(report)) fail("the element path connected the report channel");
  run_no_element_calls(libdir);
  if (!file_exists(report)) fail("the no-element path wrote no report to " + report);
  std::fprintf(stderr, "%s\n", failures == 0 ? "all checks held" : "some checks failed");
  return failures == 0 ? 0 : 1;
}

// Runs the built bemrun executable as a child process.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/tools/bemrun/model_text.h"
#include "tests/tools/bemrun/test_files.h"

namespace {

namespace fs = std::filesystem;
using bemrun_test::element_row;
using bemrun_test::ModelText;
using bemrun_test::read_bytes;
using bemrun_test::TemporaryFolder;
using bemrun_test::write_bytes;

std::string shell_quote(const std::string& s) {
  std::string quoted = "'";
  for (char c : s) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

struct ChildRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs bemrun in `folder` with stdin from /dev/null; BEM_LIBRARY_PATH is `library_path` or unset.
ChildRun run_bemrun(const std::vector<std::string>& arguments,
                    const fs::path& folder,
                    const std::string& library_path = "") {
  std::string command = "cd " + shell_quote(folder.string()) + " && ";
  command += library_path.empty() ? "unset BEM_LIBRARY_PATH; "
                                  : "BEM_LIBRARY_PATH=" + shell_quote(library_path) + " ";
  command += shell_quote(BEMRUN_EXECUTABLE);
  for (const std::string& a : arguments) command += " " + shell_quote(a);
  command += " >" + shell_quote((folder / "stdout.txt").string()) + " 2>" +
             shell_quote((folder / "stderr.txt").string()) + " </dev/null";
  const int raw = std::system(command.c_str());
  ChildRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = read_bytes(folder / "stdout.txt");
  run.err = read_bytes(folder / "stderr.txt");
  fs::remove(folder / "stdout.txt");
  fs::remove(folder / "stderr.txt");
  return run;
}

struct Npy {
  std::string dict;
  std::vector<double> data;
};

Npy read_npy(const fs::path& path) {
  const std::string bytes = read_bytes(path);
  Npy npy;
  if (bytes.size() < 10 || bytes.compare(0, 8, std::string("\x93NUMPY\x01\x00", 8)) != 0) {
    ADD_FAILURE() << path << " is not a version 1.0 .npy file";
    return npy;
  }
  const std::size_t length =
      static_cast<unsigned char>(bytes[8]) + 256u * static_cast<unsigned char>(bytes[9]);
  npy.dict = bytes.substr(10, length);
  npy.dict.erase(npy.dict.find_last_not_of(" \n") + 1);
  const std::size_t count = (bytes.size() - 10 - length) / 8;
  EXPECT_EQ((bytes.size() - 10 - length) % 8, 0u);
  npy.data.resize(count);
  std::memcpy(npy.data.data(), bytes.data() + 10 + length, 8 * count);  // little-endian host
  return npy;
}

std::string shape_dict(int n) {
  return "{'descr': '<f8', 'fortran_order': True, 'shape': (" + std::to_string(n) + ", " +
         std::to_string(n) + "), }";
}

// The number after `marker` on the first line that starts with `prefix`; NaN when absent.
double figure(const std::string& out, const std::string& prefix, const std::string& marker) {
  for (std::size_t at = 0; at < out.size();) {
    const std::size_t end = std::min(out.find('\n', at), out.size());
    const std::string line = out.substr(at, end - at);
    at = end + 1;
    if (line.rfind(prefix, 0) != 0) continue;
    const std::size_t m = line.find(marker);
    if (m != std::string::npos) return std::strtod(line.c_str() + m + marker.size(), nullptr);
  }
  ADD_FAILURE() << "no line '" << prefix << "...' with '" << marker << "' in:\n" << out;
  return std::nan("");
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// --- The host with stand-in libraries -----------------------------------------------------

TEST(BemrunHostTest, PassesTheMeshColumnMajorAndTheScalars) {
  TemporaryFolder folder;
  ModelText model;
  model.eol = "\r\n";
  model.windows1252 = true;
  model.elements[0] = element_row(1, {10, 20, 30, 30});
  write_bytes(folder / "tetra.txt", model.text());
  const ChildRun run = run_bemrun({"--opcao", "2", "--fator", "0.25", "--emod", "3", "--pois",
                                   "0.2", "-o", "k.npy", FAKE_RECORDING_LIBRARY, "tetra.txt"},
                                  folder.path());
  ASSERT_EQ(run.status, 0) << run.err;
  const Npy npy = read_npy(folder / "k.npy");
  EXPECT_EQ(npy.dict, shape_dict(12));
  ASSERT_EQ(npy.data.size(), 144u);
  // coord: x of points 1..4, then y, then z; inc: first nodes, second nodes, third nodes as
  // points 1..4 of node numbers 10, 20, 30, 40; tipo zeros; opcao, ncont, npint, nelem, fator,
  // emod, pois.
  const std::vector<double> expected = {1, 1, -1, -1, 1,    -1, 1,  -1, 1, -1, -1, 1,  // coord
                                        1, 1, 1,  2,  2,    4,  3,  4,  3, 2,  4,  3,  // inc
                                        0, 0, 0,  0,                                   // tipo
                                        2, 4, 0,  4,  0.25, 3,  0.2};
  EXPECT_EQ(std::vector<double>(npy.data.begin(), npy.data.begin() + 35), expected);
  EXPECT_EQ(std::vector<double>(npy.data.begin() + 35, npy.data.end()),
            std::vector<double>(144 - 35, 0.0));
  EXPECT_TRUE(contains(run.out, "function           : kelvin3d\n")) << run.out;
  EXPECT_TRUE(contains(run.out, "points             : 4 ")) << run.out;
  EXPECT_TRUE(contains(run.out, "elements           : 4\n")) << run.out;
  EXPECT_TRUE(contains(run.out, "degrees of freedom : 12\n")) << run.out;
  EXPECT_TRUE(contains(run.out, "opcao              : 2\n")) << run.out;
  EXPECT_TRUE(contains(run.out, "fator (after call) : 0.25\n")) << run.out;
  EXPECT_TRUE(contains(run.out, "output             : k.npy")) << run.out;
}

TEST(BemrunHostTest, Opcao1ReportsTheResetFatorAndWritesBesideTheCaller) {
  TemporaryFolder folder;
  fs::create_directory(folder / "models");
  write_bytes(folder / "models" / "tetra.model.txt", ModelText().text());
  const ChildRun run = run_bemrun(
      {"--fator", "0.7", FAKE_RECORDING_LIBRARY, "models/tetra.model.txt"}, folder.path());
  ASSERT_EQ(run.status, 0) << run.err;
  const Npy npy = read_npy(folder / "tetra.model.npy");  // the current folder, not the model's
  ASSERT_EQ(npy.data.size(), 144u);
  EXPECT_EQ(npy.data[28], 1.0);   // opcao
  EXPECT_EQ(npy.data[32], 0.7);   // fator as passed in
  EXPECT_EQ(npy.data[33], 1.0);   // emod default
  EXPECT_EQ(npy.data[34], 0.25);  // pois default
  EXPECT_TRUE(contains(run.out, "fator (after call) : 0\n")) << run.out;
}

TEST(BemrunHostTest, NameIsResolvedThroughTheEnvironmentFolder) {
  TemporaryFolder folder;
  fs::create_directory(folder / "env");
  fs::copy_file(FAKE_RECORDING_LIBRARY, folder / "env" / "libbemfull.so");
  write_bytes(folder / "tetra.txt", ModelText().text());
  const ChildRun run =
      run_bemrun({"bemfull", "tetra.txt"}, folder.path(), (folder / "env").string());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(contains(
      run.out, "library            : " + (folder / "env" / "libbemfull.so").string() + "\n"))
      << run.out;
}

TEST(BemrunHostTest, IncompleteResultKeepsTheEarlierOutput) {
  TemporaryFolder folder;
  write_bytes(folder / "tetra.txt", ModelText().text());
  write_bytes(folder / "k.npy", "earlier result");
  const ChildRun run =
      run_bemrun({"-o", "k.npy", FAKE_PARTIAL_LIBRARY, "tetra.txt"}, folder.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(contains(run.err, "boussinesq_cerruti3d left 1 of 144 entries")) << run.err;
  EXPECT_EQ(read_bytes(folder / "k.npy"), "earlier result");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path())) ++files;
  EXPECT_EQ(files, 2u) << "a temporary file was left behind";
}

TEST(BemrunHostTest, HelpPrintsTheUsage) {
  TemporaryFolder folder;
  const ChildRun run = run_bemrun({"--help"}, folder.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("usage: bemrun [options] LIBRARY MODEL.txt\n", 0), 0u) << run.out;
}

// Refused runs never reach the library: the stand-in ends the process with 99 if called.
struct RefusedCase {
  const char* name;
  std::function<void(ModelText&)> edit;
  std::vector<std::string> options;
  int status;
  const char* message;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
  *os << c.name;
}

class BemrunRefusedTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(BemrunRefusedTest, ExitsWithTheMessageBeforeCallingTheLibrary) {
  const RefusedCase& c = GetParam();
  TemporaryFolder folder;
  ModelText model;
  c.edit(model);
  write_bytes(folder / "mesh.txt", model.text());
  std::vector<std::string> arguments = c.options;
  arguments.insert(arguments.end(), {FAKE_TRIPWIRE_LIBRARY, "mesh.txt"});
  const ChildRun run = run_bemrun(arguments, folder.path());
  EXPECT_EQ(run.status, c.status) << run.out << run.err;
  EXPECT_FALSE(contains(run.out, "tripwire")) << run.out;
  EXPECT_TRUE(contains(run.err, c.message)) << run.err;
  EXPECT_FALSE(fs::exists(folder / "mesh.npy"));
}

INSTANTIATE_TEST_SUITE_P(
    Runs,
    BemrunRefusedTest,
    testing::Values(
        RefusedCase{"NoElements",
                    [](ModelText& m) {
                      m.elements.clear();
                      m.recount();
                    },
                    {},
                    1,
                    "bemrun: mesh.txt:4: the mesh has no elements"},
        RefusedCase{"Quadrilateral",
                    [](ModelText& m) {
                      m.elements[2] = element_row(3, {10, 30, 40, 20});
                    },
                    {},
                    1,
                    "bemrun: mesh.txt:22: element 3 is a quadrilateral"},
        RefusedCase{"UnknownNode",
                    [](ModelText& m) {
                      m.elements[3] = element_row(4, {20, 40, 9});
                    },
                    {},
                    1,
                    "mesh.txt:23: element 4 names node 9"},
        RefusedCase{"OutputFolderMissing",
                    [](ModelText&) {},
                    {"-o", "no/such/folder/k.npy"},
                    1,
                    "no/such/folder/k.npy: cannot create the output file"},
        RefusedCase{"BadOpcao", [](ModelText&) {}, {"--opcao", "0"}, 2, "--opcao is 1"},
        RefusedCase{
            "ThreeOperands", [](ModelText&) {}, {"--check", "extra.txt"}, 2, "bemrun --help"}),
    [](const testing::TestParamInfo<RefusedCase>& p) { return std::string(p.param.name); });

TEST(BemrunHostTest, MissingModelFileIsAnInputError) {
  TemporaryFolder folder;
  const ChildRun run = run_bemrun({FAKE_TRIPWIRE_LIBRARY, "absent.txt"}, folder.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(contains(run.err, "absent.txt: cannot open the model data file")) << run.err;
}

// --- The real Kelvin library on the example spheres ----------------------------------------

struct SphereRun {
  ChildRun run;
  Npy npy;
  int ngl = 0;
};

SphereRun run_sphere(const TemporaryFolder& folder,
                     const char* file,
                     int nodes,
                     const std::vector<std::string>& options = {},
                     const std::string& library = BEMFULL_LIBRARY) {
  SphereRun s;
  s.ngl = 3 * nodes;
  std::vector<std::string> arguments = options;
  arguments.insert(arguments.end(),
                   {"--check", "-o", "k.npy", library, std::string(EXAMPLES_FOLDER) + "/" + file});
  s.run = run_bemrun(arguments, folder.path());
  if (s.run.status == 0) s.npy = read_npy(folder / "k.npy");
  return s;
}

// max |R u| / max row sum |R| for u = 1 in direction k, computed from the file's matrix read
// in Fortran order; a transposed or scrambled file does not give rounding level.
double translation_residual_from_file(const std::vector<double>& r, int ngl, int k) {
  const auto n = static_cast<std::size_t>(ngl);
  std::vector<double> f(n, 0.0), row_sum(n, 0.0);
  for (std::size_t c = 0; c < n; ++c) {
    for (std::size_t i = 0; i < n; ++i) {
      row_sum[i] += std::fabs(r[i + n * c]);
      if (c % 3 == static_cast<std::size_t>(k - 1)) f[i] += r[i + n * c];
    }
  }
  double fmax = 0, smax = 0;
  for (std::size_t i = 0; i < n; ++i) {
    fmax = std::fmax(fmax, std::fabs(f[i]));
    smax = std::fmax(smax, row_sum[i]);
  }
  return fmax / smax;
}

// `translation` bounds the rigid translation residuals: rounding level when the source points
// lie on the boundary (opcao 1, rigid-body diagonal blocks), integration error under opcao 2.
void expect_sphere_result(const SphereRun& s, double translation) {
  ASSERT_EQ(s.run.status, 0) << s.run.out << s.run.err;
  EXPECT_EQ(s.npy.dict, shape_dict(s.ngl));
  ASSERT_EQ(s.npy.data.size(), static_cast<std::size_t>(s.ngl) * s.ngl);
  EXPECT_TRUE(contains(s.run.out, "function           : kelvin3d\n")) << s.run.out;
  for (int k = 1; k <= 3; ++k) {
    const std::string axis(1, "xyz"[k - 1]);
    const double printed = figure(s.run.out, "check rigid translation " + axis, "= ");
    const double from_file = translation_residual_from_file(s.npy.data, s.ngl, k);
    EXPECT_LT(printed, translation) << s.run.out;
    EXPECT_LT(from_file, translation) << "direction " << k;
    // The printed figure is the file's matrix, to the three digits printed.
    EXPECT_NEAR(printed, from_file, 1e-3 * from_file) << "direction " << k;
  }
}

double mean_dilatation_error(const SphereRun& s) {
  return figure(s.run.out, "  mean nodal pressure", "relative error ");
}

TEST(BemrunKelvinTest, Sphere162Opcao1) {
  TemporaryFolder folder;
  // By name: found in the build tree beside bemrun's folder.
  const SphereRun s = run_sphere(folder, "sphere-162.txt", 162, {}, "bemfull");
  expect_sphere_result(s, 1e-12);
  EXPECT_TRUE(contains(s.run.out, "library            : " +
                                      fs::path(BEMFULL_LIBRARY).lexically_normal().string() + "\n"))
      << s.run.out;
  EXPECT_TRUE(contains(s.run.out, "fator (after call) : 0\n")) << s.run.out;
  EXPECT_LT(std::fabs(mean_dilatation_error(s)), 0.03) << s.run.out;
  EXPECT_LT(figure(s.run.out, "  largest relative error", ": "), 0.05) << s.run.out;
}

TEST(BemrunKelvinTest, Sphere162Opcao2) {
  TemporaryFolder folder;
  const SphereRun s = run_sphere(folder, "sphere-162.txt", 162, {"--opcao", "2"});
  expect_sphere_result(s, 1e-4);
  EXPECT_TRUE(contains(s.run.out, "fator (after call) : 0.5\n")) << s.run.out;
  EXPECT_LT(std::fabs(mean_dilatation_error(s)), 0.03) << s.run.out;
}

TEST(BemrunKelvinTest, FinerSphereHasSmallerDilatationError) {
  TemporaryFolder folder;
  const SphereRun coarse = run_sphere(folder, "sphere-162.txt", 162);
  const SphereRun fine = run_sphere(folder, "sphere-642.txt", 642);
  expect_sphere_result(fine, 1e-12);
  // Halving the element size should cut the discretisation error about four times.
  EXPECT_LT(std::fabs(mean_dilatation_error(fine)), std::fabs(mean_dilatation_error(coarse)) / 2)
      << coarse.run.out << fine.run.out;
}

}  // namespace

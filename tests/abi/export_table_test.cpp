// Each library's dynamic symbol table holds its one entry point and nothing else.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

// Defined dynamic symbols of a shared library, as the dynamic linker sees them.
std::set<std::string> exported_symbols(const std::string& path) {
  std::set<std::string> names;
  const std::string cmd = "nm -D --defined-only --format=posix '" + path + "'";
  FILE* pipe = popen(cmd.c_str(), "r");
  if (!pipe) return names;
  char line[4096];
  while (std::fgets(line, sizeof line, pipe)) {
    std::string s(line);
    names.insert(s.substr(0, s.find(' ')));
  }
  EXPECT_EQ(pclose(pipe), 0) << cmd;
  return names;
}

struct LibraryCase {
  const char* path;
  const char* symbol;
};

class ExportTable : public ::testing::TestWithParam<LibraryCase> {};

TEST_P(ExportTable, ExactlyTheEntryPoint) {
  const LibraryCase c = GetParam();
  EXPECT_EQ(exported_symbols(c.path), std::set<std::string>{c.symbol}) << c.path;
}

INSTANTIATE_TEST_SUITE_P(Libraries,
                         ExportTable,
                         ::testing::Values(LibraryCase{BEMFULL_PATH, "kelvin3d"},
                                           LibraryCase{BEMDEEP_PATH, "mindlin3d"},
                                           LibraryCase{BEMSURF_PATH, "boussinesq_cerruti3d"}),
                         [](const auto& param_info) {
                           return std::string(param_info.param.symbol);
                         });

}  // namespace

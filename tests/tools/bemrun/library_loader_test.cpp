#include "tools/bemrun/library_loader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/tools/bemrun/test_files.h"
#include "tools/bemrun/errors.h"

namespace {

namespace fs = std::filesystem;
using bemrun::InputError;
using bemrun_test::TemporaryFolder;
using bemrun_test::write_bytes;

std::string error_of(const std::function<void()>& action) {
  try {
    action();
  } catch (const InputError& error) {
    return error.what();
  }
  return "";
}

TEST(BemrunLibraryNameTest, OnlyTheThreeBareNamesAreNames) {
  for (const char* name : {"bemfull", "bemdeep", "bemsurf"}) {
    EXPECT_TRUE(bemrun::is_library_name(name)) << name;
  }
  for (const char* path : {"libbemfull.so", "./bemfull", "bemfull.so", "BEMFULL", "bem", ""}) {
    EXPECT_FALSE(bemrun::is_library_name(path)) << path;
  }
}

TEST(BemrunLibraryNameTest, CandidatesInOrderWithAndWithoutTheEnvironment) {
  const fs::path exe = "/opt/b/tools/bemrun";
  EXPECT_EQ(bemrun::library_candidates("bemdeep", std::string("/env"), exe),
            (std::vector<fs::path>{"/env/libbemdeep.so",
                                   "/opt/b/tools/bemrun/../../libs/bemdeep/libbemdeep.so",
                                   "/opt/b/tools/bemrun/libbemdeep.so"}));
  const std::vector<fs::path> without = {"/opt/b/tools/bemrun/../../libs/bemsurf/libbemsurf.so",
                                         "/opt/b/tools/bemrun/libbemsurf.so"};
  EXPECT_EQ(bemrun::library_candidates("bemsurf", std::nullopt, exe), without);
  EXPECT_EQ(bemrun::library_candidates("bemsurf", std::string(), exe), without);
}

// A build tree root/tools/bemrun (the executable's folder) beside root/libs/bemfull, and an
// environment folder root/env.
class BemrunLibraryResolutionTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* sub : {"tools/bemrun", "libs/bemfull", "env"}) {
      fs::create_directories(root_ / sub);
    }
  }
  fs::path exe() const { return root_ / "tools" / "bemrun"; }
  fs::path resolve(const std::string& argument) const {
    return bemrun::resolve_library(argument, (root_ / "env").string(), exe());
  }
  void put(const std::string& sub) const { write_bytes(root_ / sub / "libbemfull.so", ""); }

  TemporaryFolder folder_;
  fs::path root_ = folder_.path();
};

TEST_F(BemrunLibraryResolutionTest, FirstExistingCandidateWins) {
  put("tools/bemrun");
  EXPECT_EQ(resolve("bemfull"), exe() / "libbemfull.so");
  put("libs/bemfull");
  EXPECT_EQ(resolve("bemfull"), root_ / "libs" / "bemfull" / "libbemfull.so");
  put("env");
  EXPECT_EQ(resolve("bemfull"), root_ / "env" / "libbemfull.so");
}

TEST_F(BemrunLibraryResolutionTest, NotFoundListsEveryPlaceSearched) {
  const std::string message = error_of([&] { resolve("bemfull"); });
  EXPECT_NE(message.find("bemfull: library not found"), std::string::npos) << message;
  for (const fs::path& place :
       {root_ / "env" / "libbemfull.so", root_ / "libs" / "bemfull" / "libbemfull.so",
        exe() / "libbemfull.so"}) {
    EXPECT_NE(message.find(place.string()), std::string::npos) << message;
  }
}

TEST_F(BemrunLibraryResolutionTest, PathsAreTakenAsGiven) {
  EXPECT_EQ(resolve("no/such/libbemfull.so"), "no/such/libbemfull.so");
  EXPECT_EQ(resolve("libbemfull.so"), "libbemfull.so");
}

struct EntryCase {
  const char* name;
  const char* library;
  const char* function;  // the entry found, or "" for an error
  const char* fragment;  // in the error
};

void PrintTo(const EntryCase& c, std::ostream* os) {
  *os << c.name;
}

class BemrunLibraryEntryPointTest : public testing::TestWithParam<EntryCase> {};

TEST_P(BemrunLibraryEntryPointTest, FindsExactlyOne) {
  const EntryCase& c = GetParam();
  if (*c.function != '\0') {
    const bemrun::Library library(c.library);
    const bemrun::EntryPoint entry = bemrun::find_entry_point(library);
    EXPECT_EQ(entry.name, c.function);
    EXPECT_NE(entry.function, nullptr);
    EXPECT_EQ(entry.function, library.function(c.function));
  } else {
    const std::string message = error_of([&] {
      const bemrun::Library library(c.library);
      bemrun::find_entry_point(library);
    });
    EXPECT_NE(message.find(std::string(c.library) + ": " + c.fragment), std::string::npos)
        << message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Libraries,
    BemrunLibraryEntryPointTest,
    testing::Values(
        EntryCase{"Kelvin", FAKE_RECORDING_LIBRARY, "kelvin3d", ""},
        EntryCase{"BoussinesqCerruti", FAKE_PARTIAL_LIBRARY, "boussinesq_cerruti3d", ""},
        EntryCase{"TwoEntries", FAKE_TWO_ENTRIES_LIBRARY, "",
                  "exports both kelvin3d and mindlin3d"},
        EntryCase{"NoEntry", FAKE_NO_ENTRY_LIBRARY, "", "exports none of kelvin3d"},
        EntryCase{"MissingFile", "/nonexistent/libbemfull.so", "", "cannot load the library"},
        EntryCase{"NotALibrary", MODEL_TEXT_HEADER, "", "cannot load the library"},
        // A bare file name means the current folder, never the system's library folders.
        EntryCase{"BareNameIsNotSearched", "libm.so.6", "", "cannot load the library"}),
    [](const testing::TestParamInfo<EntryCase>& p) { return std::string(p.param.name); });

}  // namespace

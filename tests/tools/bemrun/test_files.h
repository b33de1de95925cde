// Temporary folders and whole-file reads for the tests.
#ifndef VELDRA_TESTS_TOOLS_BEMRUN_TEST_FILES_H
#define VELDRA_TESTS_TOOLS_BEMRUN_TEST_FILES_H

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace bemrun_test {

// A fresh folder under the system's temporary folder, removed with its contents at the end.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("bemrun-") + (info ? info->test_suite_name() : "x") + "-" +
                       (info ? info->name() : "y");
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::string read_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

inline void write_bytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace bemrun_test

#endif

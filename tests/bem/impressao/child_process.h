// Runs a helper program as a child process with a given standard input, capturing its output.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace bem::testing {

struct ChildResult {
  bool finished = false;  // false: still running at the deadline, then killed
  int exit_code = -1;     // valid when finished
  std::string out;        // standard output, byte for byte
  std::string err;        // standard error
};

// Starts `program` with `arguments` (argv[1]...) in `directory`, its standard input the bytes
// of `input` followed by end of input, and `environment` ("NAME=value") added to ours. The
// input and output are kept in files under `scratch`, which must not be `directory`.
ChildResult run_child(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments,
                      const std::string& input,
                      const std::vector<std::string>& environment,
                      const std::filesystem::path& directory,
                      const std::filesystem::path& scratch,
                      std::chrono::milliseconds timeout = std::chrono::seconds(20));

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& file);
void write_file(const std::filesystem::path& file, const std::string& contents);

}  // namespace bem::testing

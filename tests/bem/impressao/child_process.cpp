#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace bem::testing {

namespace {

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> result;
  for (std::string& s : strings) result.push_back(s.data());
  result.push_back(nullptr);
  return result;
}

// Our environment without the helper's own IMPRESSAO_ variables, with `additions` replacing
// variables of the same name.
std::vector<std::string> merged_environment(const std::vector<std::string>& additions) {
  std::vector<std::string> result;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || text.rfind("IMPRESSAO_", 0) == 0) continue;
    const std::string name = text.substr(0, equals + 1);
    bool replaced = false;
    for (const std::string& addition : additions) {
      replaced = replaced || addition.rfind(name, 0) == 0;
    }
    if (!replaced) result.push_back(text);
  }
  result.insert(result.end(), additions.begin(), additions.end());
  return result;
}

}  // namespace

ChildResult run_child(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments,
                      const std::string& input,
                      const std::vector<std::string>& environment,
                      const std::filesystem::path& directory,
                      const std::filesystem::path& scratch,
                      std::chrono::milliseconds timeout) {
  const std::filesystem::path in_file = scratch / "child_stdin";
  const std::filesystem::path out_file = scratch / "child_stdout";
  const std::filesystem::path err_file = scratch / "child_stderr";
  write_file(in_file, input);

  std::vector<std::string> argv_strings{program.string()};
  argv_strings.insert(argv_strings.end(), arguments.begin(), arguments.end());
  std::vector<std::string> env_strings = merged_environment(environment);
  std::vector<char*> argv = pointers(argv_strings);
  std::vector<char*> envp = pointers(env_strings);
  const std::string dir = directory.string(), in = in_file.string(), out = out_file.string(),
                    err = err_file.string();

  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec.
    const int in_fd = open(in.c_str(), O_RDONLY);
    const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in_fd < 0 || out_fd < 0 || err_fd < 0 || chdir(dir.c_str()) != 0) _exit(126);
    if (dup2(in_fd, 0) < 0 || dup2(out_fd, 1) < 0 || dup2(err_fd, 2) < 0) _exit(126);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }

  ChildResult result;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      result.finished = true;
      break;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (result.finished && WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  result.out = read_file(out_file);
  result.err = read_file(err_file);
  return result;
}

TemporaryFolder::TemporaryFolder() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "veldra_impressao_XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string read_file(const std::filesystem::path& file) {
  std::string contents;
  if (std::FILE* in = std::fopen(file.string().c_str(), "rb")) {
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) contents.append(buffer, got);
    std::fclose(in);
  }
  return contents;
}

void write_file(const std::filesystem::path& file, const std::string& contents) {
  std::FILE* out = std::fopen(file.string().c_str(), "wb");
  if (out == nullptr) throw std::runtime_error("cannot write " + file.string());
  std::fwrite(contents.data(), 1, contents.size(), out);
  std::fclose(out);
}

}  // namespace bem::testing

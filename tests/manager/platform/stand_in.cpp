// Takes the place of an outside program in the tests. Everything it does is set through the
// environment, since the manager starts programs with no arguments:
//   STAND_IN_RECORD    file to write: the current folder, "arguments N", the N arguments one a
//                      line, and after the delay "done"
//   STAND_IN_DELAY_MS  milliseconds to sleep before "done" (default 0)
//   STAND_IN_EXIT      exit code (default 0)
//   STAND_IN_ABORT     when set, abort() instead of exiting
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

int environmentNumber(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::atoi(value) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* record_path = std::getenv("STAND_IN_RECORD");
  std::ofstream record;
  if (record_path != nullptr) record.open(record_path, std::ios::trunc);
  record << std::filesystem::current_path().string() << '\n';
  record << "arguments " << argc - 1 << '\n';
  for (int i = 1; i < argc; ++i) record << argv[i] << '\n';
  record.flush();
  std::this_thread::sleep_for(std::chrono::milliseconds(environmentNumber("STAND_IN_DELAY_MS")));
  if (std::getenv("STAND_IN_ABORT") != nullptr) std::abort();
  record << "done\n";
  record.close();
  return environmentNumber("STAND_IN_EXIT");
}

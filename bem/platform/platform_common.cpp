#include "platform.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>

#include "platform_detail.h"

namespace bem::platform {

double wall_clock() {
  static std::mutex mutex;
  static std::optional<std::int64_t> origin;
  const std::lock_guard<std::mutex> lock(mutex);
  // Read under the lock, so no reading can precede the one that fixes the origin.
  const std::int64_t now = detail::system_time_ticks();
  if (!origin) {
    origin = now;
    return 0.0;
  }
  return static_cast<double>(now - *origin) / 1.0e7;
}

void run_command(const std::string& command_line) {
  std::fflush(nullptr);  // the command's output must follow ours
  [[maybe_unused]] const int status = std::system(command_line.c_str());
}

}  // namespace bem::platform

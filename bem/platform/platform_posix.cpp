#include "platform.h"

#include <time.h>

#include <cstdio>

#include "platform_detail.h"

namespace bem::platform {

namespace detail {

std::int64_t system_time_ticks() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 10'000'000 +
         static_cast<std::int64_t>(now.tv_nsec) / 100;
}

}  // namespace detail

std::vector<std::string> host_arguments() {
  std::string all;
  if (std::FILE* in = std::fopen("/proc/self/cmdline", "rb")) {
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) all.append(buffer, got);
    std::fclose(in);
  }
  // NUL-terminated arguments, the program name first.
  std::vector<std::string> arguments;
  std::string::size_type begin = 0;
  while (begin < all.size()) {
    std::string::size_type end = all.find('\0', begin);
    if (end == std::string::npos) end = all.size();
    arguments.emplace_back(all, begin, end - begin);
    begin = end + 1;
  }
  if (!arguments.empty()) arguments.erase(arguments.begin());
  return arguments;
}

void tone(int /*frequency_hz*/, int /*duration_ms*/) {}

}  // namespace bem::platform

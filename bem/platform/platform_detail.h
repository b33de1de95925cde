// The per-platform pieces behind platform.h that platform_common.cpp builds on.
#pragma once

#include <cstdint>
#if defined(_WIN32)
#include <string>
#include <vector>
#endif

namespace bem::platform::detail {

// The system clock in 100 ns ticks since the platform's epoch.
std::int64_t system_time_ticks();

#if defined(_WIN32)
// A Windows command line split into words by the rules of CommandLineToArgvW (the program
// name first, then the arguments with their quotes and backslash escapes resolved).
std::vector<std::wstring> split_command_line(const wchar_t* line);
#endif

}  // namespace bem::platform::detail

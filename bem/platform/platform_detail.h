// The per-platform pieces behind platform.h that platform_common.cpp builds on.
#pragma once

#include <cstdint>

namespace bem::platform::detail {

// The system clock in 100 ns ticks since the platform's epoch.
std::int64_t system_time_ticks();

}  // namespace bem::platform::detail

// What the core needs from the operating system. platform_common.cpp holds what is the same
// everywhere; platform_posix.cpp and platform_windows.cpp hold one implementation each of the
// rest.
#pragma once

#include <string>
#include <vector>

namespace bem::platform {

// Wall-clock seconds. The first reading in the process returns 0.0 and fixes the origin;
// later readings return the seconds elapsed since then. Read from the system clock in
// 100 ns units (CLOCK_REALTIME on POSIX, the system file time on Windows), so a clock set
// backwards gives a negative reading. Thread-safe.
double wall_clock();

// The host process's own command-line arguments, without the program name: on Linux read
// from /proc/self/cmdline (empty when it cannot be read), on Windows split from the
// process command line and converted to the active 8-bit code page.
std::vector<std::string> host_arguments();

// A tone of the given frequency and duration where the platform has one (nothing on Linux).
void tone(int frequency_hz, int duration_ms);

// Flushes all C output streams, then runs a command line through the system's command
// interpreter (sh on POSIX, cmd.exe on Windows) and waits for it. Its exit status is not
// used.
void run_command(const std::string& command_line);

}  // namespace bem::platform

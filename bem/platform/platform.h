// What the core needs from the operating system. One implementation file per platform.
#pragma once

#include <string>
#include <vector>

namespace bem::platform {

// Wall-clock seconds. The first reading in the process returns 0.0 and fixes the origin;
// later readings return the seconds elapsed since then (system clock, 100 ns units).
double wall_clock();

// The host process's own command-line arguments, without the program name
// (/proc/self/cmdline on Linux, the process command line on Windows).
std::vector<std::string> host_arguments();

// A tone of the given frequency and duration where the platform has one (nothing on Linux).
void tone(int frequency_hz, int duration_ms);

// Runs a command line through the system's command interpreter and waits for it.
void run_command(const std::string& command_line);

}  // namespace bem::platform

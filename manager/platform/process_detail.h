// The per-system part of process.cpp, in process_posix.cpp and process_windows.cpp.
#pragma once

class QProcess;

namespace veldra::platform::detail {

// Adjusts a configured but not yet started QProcess to how this system starts a program
// through the shell (on Windows: a console window of its own when the manager has none).
void prepareStart(QProcess& process);

}  // namespace veldra::platform::detail

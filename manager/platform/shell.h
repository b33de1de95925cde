// Opening a file or shortcut with the desktop's "Open" action, as a double click would: on
// Windows the shell's "open" verb (ShellExecuteW), on Linux "xdg-open FILE" started detached.
// Implemented in shell_open_windows.cpp and shell_open_posix.cpp.
#pragma once

#include <QString>

namespace veldra::platform {

// Opens `path` (either separator; a relative path is taken from the current folder) and returns
// at once, without waiting for the program that opens it. True when the start succeeded: on
// Windows the shell accepted the request, on Linux xdg-open was started (whether it then finds
// an application for the file is not known). The launcher does not examine the answer when it
// opens the ANSYS shortcut; the batch commands may.
bool openWithShell(const QString& path);

}  // namespace veldra::platform

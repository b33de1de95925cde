// The POSIX part of shell.h, exposed so that tests can use a stand-in for xdg-open.
#pragma once

#include <QString>

namespace veldra::platform::detail {

// Starts `opener` detached with one argument, the absolute form of `path` (which therefore never
// begins with '-' and cannot be taken for an option), in the current folder. True when the
// opener was started.
bool startOpener(const QString& opener, const QString& path);

}  // namespace veldra::platform::detail

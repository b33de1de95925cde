// Path texts as the user sees them. Inside the manager paths use '/', as Qt does; texts shown to
// the user and written into the processor's files use the system's separator ("\" on Windows).
// One implementation (paths.cpp): Qt already knows the separator of each system.
#pragma once

#include <QChar>
#include <QString>

namespace veldra::platform {

// '\' on Windows, '/' elsewhere.
QChar nativeSeparator();

// `path` with every '/' turned into the native separator (no change on Linux).
QString toNativePath(const QString& path);

// `path` with every native separator turned into '/'.
QString fromNativePath(const QString& path);

// `folder` in native form, followed by the native separator unless it already ends with one
// (a root such as "c:\" or "/"): the form of the start folder and the library folder.
QString withTrailingSeparator(const QString& folder);

}  // namespace veldra::platform

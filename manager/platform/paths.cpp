#include "manager/platform/paths.h"

#include <QDir>

namespace veldra::platform {

QChar nativeSeparator() {
  return QDir::separator();
}

QString toNativePath(const QString& path) {
  return QDir::toNativeSeparators(path);
}

QString fromNativePath(const QString& path) {
  return QDir::fromNativeSeparators(path);
}

QString withTrailingSeparator(const QString& folder) {
  const QString native = toNativePath(folder);
  return native.endsWith(nativeSeparator()) ? native : native + nativeSeparator();
}

}  // namespace veldra::platform

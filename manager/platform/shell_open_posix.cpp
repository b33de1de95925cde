#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "manager/platform/shell.h"
#include "manager/platform/shell_detail.h"

namespace veldra::platform {

namespace detail {

bool startOpener(const QString& opener, const QString& path) {
  QProcess process;
  process.setProgram(opener);
  process.setArguments({QFileInfo(path).absoluteFilePath()});
  process.setWorkingDirectory(QDir::currentPath());
  return process.startDetached();
}

}  // namespace detail

bool openWithShell(const QString& path) {
  return detail::startOpener(QStringLiteral("xdg-open"), path);
}

}  // namespace veldra::platform

#include <shellapi.h>
#include <windows.h>

#include <QDir>
#include <QFileInfo>

#include "manager/platform/shell.h"

namespace veldra::platform {

bool openWithShell(const QString& path) {
  const QString file = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
  const HINSTANCE answer = ShellExecuteW(nullptr, L"open", reinterpret_cast<LPCWSTR>(file.utf16()),
                                         nullptr, nullptr, SW_SHOWNORMAL);
  // By the function's contract a value above 32 means success.
  return reinterpret_cast<INT_PTR>(answer) > 32;
}

}  // namespace veldra::platform

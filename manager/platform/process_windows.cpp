// Windows: QProcess starts a console program from a manager without a console (the windows)
// with no window at all, and hands it the manager's standard handles. A program started through
// the shell gets a console window of its own instead, and the processor writes its progress
// and waits for a key there, so that is what is asked for here. A manager with a console (the
// batch commands) lets the program share it.
#include <windows.h>

#include <QProcess>

#include "manager/platform/process_detail.h"

namespace veldra::platform::detail {

void prepareStart(QProcess& process) {
  if (GetConsoleWindow() != nullptr) return;
  process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* arguments) {
    arguments->flags &= ~static_cast<unsigned long>(CREATE_NO_WINDOW);
    arguments->flags |= CREATE_NEW_CONSOLE;
    arguments->startupInfo->dwFlags &= ~static_cast<DWORD>(STARTF_USESTDHANDLES);
  });
}

}  // namespace veldra::platform::detail

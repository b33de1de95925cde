// POSIX: a program started by the manager shares its terminal and process group, as one started
// from a shell does, so QProcess's defaults need no change.
#include <QProcess>

#include "manager/platform/process_detail.h"

namespace veldra::platform::detail {

void prepareStart(QProcess&) {}

}  // namespace veldra::platform::detail

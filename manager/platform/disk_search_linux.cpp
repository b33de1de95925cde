// Linux: which entries the disk search walks into, and the file test.
//
// Rule: an entry is walked into when lstat() says it is a folder (so symbolic links never are)
// and it is not a way into the kernel's pseudo file systems. Those are recognised twice over:
// "/proc", "/sys" and "/dev" directly under "/" are never entered whatever is mounted there
// (in a container "/dev" is often a plain tmpfs), and a folder whose device differs from its
// parent's (a mount point) is not entered when the mount table names a pseudo file system type
// for that device. The mount table is read once per search; a device it does not list (a btrfs
// subvolume, a mount made during the search) is walked. lstat() does not trigger an automount,
// and autofs trigger folders are skipped as pseudo, so the search never mounts anything.
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QByteArray>
#include <QFile>
#include <QSet>

#include <unordered_set>

#include "manager/platform/disk_search.h"
#include "manager/platform/disk_search_detail.h"

namespace veldra::platform {

QString defaultSearchRoot() {
  return QStringLiteral("/");
}

namespace detail {
namespace {

bool isPseudoFileSystem(const QByteArray& type) {
  static const QSet<QByteArray> pseudo{
      "proc",       "sysfs",      "devtmpfs",  "devpts",      "cgroup",    "cgroup2",
      "securityfs", "debugfs",    "tracefs",   "pstore",      "bpf",       "configfs",
      "fusectl",    "mqueue",     "hugetlbfs", "binfmt_misc", "autofs",    "efivarfs",
      "selinuxfs",  "rpc_pipefs", "nsfs",      "smackfs",     "apparmorfs"};
  return pseudo.contains(type);
}

// Devices of the pseudo file systems in /proc/self/mountinfo. A line reads
// "id parent major:minor root mount-point options [optional fields] - type source options".
std::unordered_set<dev_t> pseudoDevices() {
  std::unordered_set<dev_t> devices;
  QFile table(QStringLiteral("/proc/self/mountinfo"));
  if (!table.open(QIODevice::ReadOnly)) return devices;
  for (const QByteArray& line : table.readAll().split('\n')) {
    const QList<QByteArray> fields = line.split(' ');
    const qsizetype separator = fields.indexOf("-");
    if (fields.size() < 3 || separator < 0 || separator + 1 >= fields.size()) continue;
    const QList<QByteArray> numbers = fields[2].split(':');
    bool majorOk = false;
    bool minorOk = false;
    const unsigned int major = numbers.value(0).toUInt(&majorOk);
    const unsigned int minor = numbers.value(1).toUInt(&minorOk);
    if (!majorOk || !minorOk) continue;
    if (isPseudoFileSystem(fields[separator + 1])) devices.insert(makedev(major, minor));
  }
  return devices;
}

bool statEntry(const QString& path, struct stat* info) {
  return ::lstat(QFile::encodeName(path).constData(), info) == 0;
}

}  // namespace

struct FolderFilter::State {
  std::unordered_set<dev_t> pseudo = pseudoDevices();
  QString parent;  // the folder whose device is cached below
  dev_t parentDevice = 0;
  bool parentKnown = false;
};

FolderFilter::FolderFilter() : state_(std::make_unique<State>()) {}
FolderFilter::~FolderFilter() = default;

bool FolderFilter::isSearchFolder(const QString& parent, const QString& name) {
  if (parent == QLatin1String("/") &&
      (name == QLatin1String("proc") || name == QLatin1String("sys") ||
       name == QLatin1String("dev")))
    return false;
  const QString path = parent.endsWith(QLatin1Char('/')) ? parent + name : parent + '/' + name;
  struct stat entry {};
  if (!statEntry(path, &entry) || !S_ISDIR(entry.st_mode)) return false;
  if (state_->parent != parent) {
    struct stat folder {};
    state_->parent = parent;
    state_->parentKnown = statEntry(parent, &folder);
    state_->parentDevice = folder.st_dev;
  }
  const bool mountPoint = !state_->parentKnown || entry.st_dev != state_->parentDevice;
  return !(mountPoint && state_->pseudo.count(entry.st_dev) != 0);
}

bool isFileEntry(const QString& path) {
  struct stat entry {};
  return statEntry(path, &entry) && !S_ISDIR(entry.st_mode);
}

}  // namespace detail
}  // namespace veldra::platform

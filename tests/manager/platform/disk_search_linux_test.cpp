// The Linux rules of the disk search: permissions and the pseudo file systems.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include "manager/platform/disk_search.h"
#include "manager/platform/disk_search_detail.h"
#include "search_tree.h"

namespace veldra::platform {
namespace {

TEST_F(DiskSearchTest, FolderWithoutReadPermissionIsSkipped) {
  if (geteuid() == 0)
    GTEST_SKIP() << "permissions do not stop root; the removed-folder case "
                    "covers the skip";
  make({"a/x/ansys.lnk", "b/y/ansys.lnk"});
  QFile locked(at(QStringLiteral("a")));
  ASSERT_TRUE(locked.setPermissions(QFileDevice::Permissions()));
  const Run run = search();
  locked.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(relativeHit(run.result), "b/y/ansys.lnk");
  EXPECT_EQ(run.reported, (Folders{"a", "b", "b/y"}));
}

TEST(DiskSearchFolderFilter, KernelFoldersUnderTheRootAreNeverEntered) {
  detail::FolderFilter filter;
  for (const char* name : {"proc", "sys", "dev"})
    EXPECT_FALSE(filter.isSearchFolder(QStringLiteral("/"), QString::fromLatin1(name))) << name;
  EXPECT_EQ(defaultSearchRoot(), QStringLiteral("/"));
}

// Every mount point of a pseudo file system in this system's mount table below a folder of
// another device (e.g. /dev/pts, /sys/fs/cgroup, /dev/mqueue) is refused.
TEST(DiskSearchFolderFilter, MountPointsOfPseudoFileSystemsAreNotEntered) {
  QFile table(QStringLiteral("/proc/self/mountinfo"));
  if (!table.open(QIODevice::ReadOnly)) GTEST_SKIP() << "no mount table";
  detail::FolderFilter filter;
  int checked = 0;
  for (const QByteArray& line : table.readAll().split('\n')) {
    const QList<QByteArray> fields = line.split(' ');
    const qsizetype separator = fields.indexOf("-");
    if (separator < 5 || separator + 1 >= fields.size()) continue;
    const QByteArray type = fields[separator + 1];
    if (type != "proc" && type != "sysfs" && type != "devpts" && type != "cgroup2" &&
        type != "mqueue")
      continue;
    const QString mountPoint = QString::fromLocal8Bit(fields[4]);
    const QFileInfo info(mountPoint);
    if (mountPoint.contains(QLatin1Char('\\')) || info.isRoot()) continue;
    struct stat self {};
    struct stat parent {};
    if (::lstat(fields[4].constData(), &self) != 0 ||
        ::lstat(QFile::encodeName(info.path()).constData(), &parent) != 0 ||
        self.st_dev == parent.st_dev)
      continue;
    EXPECT_FALSE(filter.isSearchFolder(info.path(), info.fileName())) << mountPoint.toStdString();
    ++checked;
  }
  if (checked == 0) GTEST_SKIP() << "no pseudo file system mounted below another device";
}

}  // namespace
}  // namespace veldra::platform

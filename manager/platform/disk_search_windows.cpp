// Windows: which entries the disk search walks into, and the file test.
//
// Rule: an entry is walked into when it is a folder that is neither a symbolic link nor a
// junction. Qt reports volume mount points as junctions too (both carry the mount-point
// reparse tag), so the walk stays on the drive it started on. Other reparse points (cloud
// placeholders, deduplicated folders) are ordinary folders.
#include <windows.h>

#include <QDir>
#include <QFileInfo>

#include "manager/platform/disk_search.h"
#include "manager/platform/disk_search_detail.h"

namespace veldra::platform {

QString defaultSearchRoot() {
  return QStringLiteral("c:\\");
}

namespace detail {

struct FolderFilter::State {};

FolderFilter::FolderFilter() = default;
FolderFilter::~FolderFilter() = default;

bool FolderFilter::isSearchFolder(const QString& parent, const QString& name) {
  const QFileInfo entry(QDir(parent), name);
  return entry.isDir() && !entry.isSymbolicLink() && !entry.isJunction();
}

bool isFileEntry(const QString& path) {
  const QString native = QDir::toNativeSeparators(path);
  const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(native.utf16()));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace detail
}  // namespace veldra::platform

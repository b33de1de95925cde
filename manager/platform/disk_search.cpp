#include "manager/platform/disk_search.h"

#include <QDir>
#include <QStringList>

#include <algorithm>

#include "manager/platform/disk_search_detail.h"

namespace veldra::platform {
namespace {

QString joinPath(const QString& parent, const QString& name) {
  return parent.endsWith(QLatin1Char('/')) ? parent + name : parent + QLatin1Char('/') + name;
}

bool comesBefore(const QString& a, const QString& b) {
  const int folded = a.toUpper().compare(b.toUpper(), Qt::CaseSensitive);
  return folded != 0 ? folded < 0 : a.compare(b, Qt::CaseSensitive) < 0;
}

// Every name the folder lists except "." and "..", hidden and system entries included; the
// filter decides which of them are folders. Empty when the folder cannot be listed.
QStringList sortedEntryNames(const QString& folder) {
  QStringList names = QDir(folder).entryList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
  std::sort(names.begin(), names.end(), comesBefore);
  return names;
}

}  // namespace

DiskSearchResult searchDisk(const QString& root,
                            const QString& fileName,
                            const FolderReporter& report) {
  detail::FolderFilter filter;
  QStringList level{QDir::cleanPath(QDir::fromNativeSeparators(root))};
  while (!level.isEmpty()) {
    QStringList nextLevel;
    for (const QString& parent : level) {
      for (const QString& name : sortedEntryNames(parent)) {
        if (!filter.isSearchFolder(parent, name)) continue;
        const QString folder = joinPath(parent, name);
        nextLevel.append(folder);
        const QString shown = QDir::toNativeSeparators(folder);
        if (report && !report(shown)) return {QString(), true};
        if (detail::isFileEntry(joinPath(folder, fileName)))
          return {shown + QDir::separator() + fileName, false};
      }
    }
    level = std::move(nextLevel);
  }
  return {};
}

}  // namespace veldra::platform

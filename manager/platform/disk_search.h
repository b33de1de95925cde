// Breadth-first search of a folder tree for a file of a given name (the launcher looks for the
// ANSYS shortcut "ansys.lnk" this way). disk_search.cpp holds the walk, which is the same on
// every system; disk_search_linux.cpp and disk_search_windows.cpp decide which entries count as
// folders to walk into.
#pragma once

#include <QString>

#include <functional>

namespace veldra::platform {

// "c:\" on Windows, "/" elsewhere.
QString defaultSearchRoot();

struct DiskSearchResult {
  // The hit in native form: the folder, the native separator and the searched name exactly as
  // given (not as spelled on disk). Empty when nothing was found or the search was cancelled.
  QString path;
  bool cancelled = false;
};

// Called once for every folder as the search finds it, with the folder's path in native form
// (the status line shows "Pesquisando em: " + path). Returning false cancels the search at once.
// Called on the searching thread.
using FolderReporter = std::function<bool(const QString& folder)>;

// The walk, level by level:
//  - Level 1 is the entries of `root`; level n+1 the entries of the folders of level n, taken in
//    the order they were found. `root` itself is listed but never tested for the file.
//  - Each folder is reported and then tested as soon as it is found while listing its parent:
//    the test asks whether `fileName` names an entry of that folder that is not itself a folder
//    (the file system's own case rule applies: case-insensitive on Windows). The first hit ends
//    the search, so folders after it are neither reported nor tested.
//  - The search ends at the first hit, on cancellation, or when a whole level adds no folder.
//  - Entries of one folder are taken sorted by name: by UTF-16 code units after conversion to
//    upper case, ties (names differing only in case) by the exact code units. This is the order
//    in which NTFS lists a folder, and it makes the search reproducible on every file system.
//  - Paths are built as parent + separator + name, with no doubled separator after a root
//    ("c:\" + "Windows" gives "c:\Windows").
//  - Never walked into, and neither reported nor tested: symbolic links (to folders or not),
//    Windows junctions and volume mount points (a junction such as "Application Data" points
//    back at its parent and would make the walk endless), and on Linux "/proc", "/sys" and
//    "/dev" directly under "/" and any mount point of a kernel pseudo file system (proc, sysfs,
//    devtmpfs, devpts, cgroup, debugfs, ...; see disk_search_linux.cpp). Ordinary, network and
//    memory (tmpfs) file systems are walked.
//  - A folder that cannot be listed (no permission, removed meanwhile) adds nothing; the search
//    goes on with the next one.
// `root` may use either separator; it is not made absolute. `report` may be empty.
DiskSearchResult searchDisk(const QString& root,
                            const QString& fileName,
                            const FolderReporter& report);

}  // namespace veldra::platform

// The per-system pieces behind disk_search.h, implemented in disk_search_linux.cpp and
// disk_search_windows.cpp.
#pragma once

#include <QString>

#include <memory>

namespace veldra::platform::detail {

// Decides which entries of a listed folder are folders the search walks into. One filter
// serves one search; it may cache what it read from the system when it was made (on Linux the
// mount table).
class FolderFilter {
 public:
  FolderFilter();
  ~FolderFilter();
  FolderFilter(const FolderFilter&) = delete;
  FolderFilter& operator=(const FolderFilter&) = delete;

  // Whether the entry `name` of the folder `parent` (Qt form, '/' separators) is a folder the
  // search reports, tests and later lists. False for anything that is not a folder, for links
  // and junctions, and for the entries into pseudo file systems described in disk_search.h.
  bool isSearchFolder(const QString& parent, const QString& name);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Whether `path` (Qt form) names an existing entry that is not a folder. A symbolic link or
// shortcut counts as such an entry without being resolved, so a shortcut to a program that is
// not installed is still found.
bool isFileEntry(const QString& path);

}  // namespace veldra::platform::detail

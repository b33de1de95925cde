// Finding a boundary element library, loading it at run time and finding its entry point.
#ifndef VELDRA_TOOLS_BEMRUN_LIBRARY_LOADER_H
#define VELDRA_TOOLS_BEMRUN_LIBRARY_LOADER_H

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bem.h"

namespace bemrun {

// The three libraries and the function each exports.
struct EntryPointName {
  const char* library;   // bemfull, bemdeep, bemsurf
  const char* function;  // kelvin3d, mindlin3d, boussinesq_cerruti3d
};
inline constexpr EntryPointName kEntryPoints[] = {
    {"bemfull", "kelvin3d"},
    {"bemdeep", "mindlin3d"},
    {"bemsurf", "boussinesq_cerruti3d"},
};

// True for the bare names bemfull, bemdeep and bemsurf; anything else is a path.
bool is_library_name(std::string_view argument);

// The file a library name is built as on this platform (libbemfull.so).
std::string shared_library_file_name(std::string_view name);

// Where a library name is looked for, in order: the folder `environment_folder` (the value of
// BEM_LIBRARY_PATH, when set and not empty), the build tree's library folder
// <executable folder>/../../libs/<name>/, and the executable's own folder.
std::vector<std::filesystem::path> library_candidates(
    std::string_view name,
    const std::optional<std::string>& environment_folder,
    const std::filesystem::path& executable_folder);

// A path argument is returned as given; a name resolves to the first candidate that exists.
// Throws InputError listing the places searched when none does.
std::filesystem::path resolve_library(std::string_view argument,
                                      const std::optional<std::string>& environment_folder,
                                      const std::filesystem::path& executable_folder);

// The folder of the running executable (`argv0` is the fallback where the system cannot say).
std::filesystem::path executable_folder(const char* argv0);

// A loaded shared library, unloaded on destruction. Loading resolves all symbols at once and
// keeps them local to the library.
class Library {
 public:
  explicit Library(const std::filesystem::path& path);  // throws InputError
  ~Library();
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  // The address of an exported function, or nullptr when the library has none of that name.
  bem_entry_fn function(const char* name) const;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  void* handle_ = nullptr;
};

struct EntryPoint {
  bem_entry_fn function = nullptr;
  std::string name;
};

// The one of the three entry points that the library exports; throws InputError when it has
// none of them or more than one.
EntryPoint find_entry_point(const Library& library);

}  // namespace bemrun

#endif

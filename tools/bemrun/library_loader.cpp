#include "tools/bemrun/library_loader.h"

#include "tools/bemrun/errors.h"

namespace bemrun {

bool is_library_name(std::string_view argument) {
  for (const EntryPointName& entry : kEntryPoints) {
    if (argument == entry.library) return true;
  }
  return false;
}

std::vector<std::filesystem::path> library_candidates(
    std::string_view name,
    const std::optional<std::string>& environment_folder,
    const std::filesystem::path& executable_folder) {
  const std::string file = shared_library_file_name(name);
  std::vector<std::filesystem::path> candidates;
  if (environment_folder && !environment_folder->empty()) {
    candidates.push_back(std::filesystem::path(*environment_folder) / file);
  }
  candidates.push_back(executable_folder / ".." / ".." / "libs" / std::string(name) / file);
  candidates.push_back(executable_folder / file);
  return candidates;
}

std::filesystem::path resolve_library(std::string_view argument,
                                      const std::optional<std::string>& environment_folder,
                                      const std::filesystem::path& executable_folder) {
  if (!is_library_name(argument)) return std::filesystem::path(argument);
  const auto candidates = library_candidates(argument, environment_folder, executable_folder);
  std::string searched;
  for (const auto& candidate : candidates) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate.lexically_normal();
    searched += "\n  " + candidate.lexically_normal().string();
  }
  throw InputError(std::string(argument) + ": library not found; searched:" + searched +
                   "\n(set BEM_LIBRARY_PATH to the folder that holds " +
                   shared_library_file_name(argument) + ", or give its path)");
}

EntryPoint find_entry_point(const Library& library) {
  EntryPoint found;
  for (const EntryPointName& entry : kEntryPoints) {
    bem_entry_fn function = library.function(entry.function);
    if (function == nullptr) continue;
    if (found.function != nullptr) {
      throw InputError(library.path().string() + ": exports both " + found.name + " and " +
                       entry.function + "; a boundary element library exports exactly one");
    }
    found = {function, entry.function};
  }
  if (found.function == nullptr) {
    throw InputError(library.path().string() +
                     ": exports none of kelvin3d, mindlin3d, boussinesq_cerruti3d");
  }
  return found;
}

}  // namespace bemrun

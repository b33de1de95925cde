// The POSIX part of the library loader: dlopen, dlsym and the executable's path.
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstring>

#include "tools/bemrun/errors.h"
#include "tools/bemrun/library_loader.h"

namespace bemrun {

std::string shared_library_file_name(std::string_view name) {
  return "lib" + std::string(name) + ".so";
}

std::filesystem::path executable_folder(const char* argv0) {
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || self.empty()) self = std::filesystem::absolute(argv0 ? argv0 : "", ec);
  return self.parent_path();
}

Library::Library(const std::filesystem::path& path) : path_(path) {
  // A name without a slash would make dlopen search the system folders instead of this path.
  std::filesystem::path target = path;
  if (!target.has_parent_path()) target = std::filesystem::path(".") / target;
  dlerror();
  handle_ = dlopen(target.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* reason = dlerror();
    throw InputError(path.string() +
                     ": cannot load the library: " + (reason ? reason : "unknown reason"));
  }
}

Library::~Library() {
  if (handle_ != nullptr) dlclose(handle_);
}

bem_entry_fn Library::function(const char* name) const {
  void* address = dlsym(handle_, name);
  if (address == nullptr) return nullptr;
  // POSIX guarantees that a function's address survives the trip through void*.
  bem_entry_fn entry = nullptr;
  static_assert(sizeof entry == sizeof address);
  std::memcpy(&entry, &address, sizeof entry);
  return entry;
}

}  // namespace bemrun

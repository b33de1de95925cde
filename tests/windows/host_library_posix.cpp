#include <dlfcn.h>

#include "host_library.h"

namespace bem::host {

HostLibrary::HostLibrary(const std::string& path, const std::string& function) : symbol_(function) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    error_ = dlerror();
    return;
  }
  entry_ = reinterpret_cast<bem_entry_fn>(dlsym(handle_, symbol_.c_str()));
  if (entry_ == nullptr) error_ = path + ": no symbol " + symbol_;
}

HostLibrary::~HostLibrary() {
  if (handle_ != nullptr) dlclose(handle_);
}

}  // namespace bem::host

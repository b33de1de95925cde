#include <windows.h>

#include <cstring>

#include "host_library.h"

namespace bem::host {

HostLibrary::HostLibrary(const std::string& path, const std::string& function) {
#if defined(__i386__) || defined(_M_IX86)
  // The standard call decoration: 11 arguments of 4 bytes.
  symbol_ = "_" + function + "@44";
#else
  symbol_ = function;
#endif
  handle_ = LoadLibraryA(path.c_str());
  if (handle_ == nullptr) {
    error_ = path + ": LoadLibrary failed, error " + std::to_string(GetLastError());
    return;
  }
  const FARPROC address = GetProcAddress(static_cast<HMODULE>(handle_), symbol_.c_str());
  if (address == nullptr) {
    error_ = path + ": GetProcAddress found no " + symbol_;
    return;
  }
  static_assert(sizeof entry_ == sizeof address);
  std::memcpy(&entry_, &address, sizeof entry_);
}

HostLibrary::~HostLibrary() {
  if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
}

}  // namespace bem::host

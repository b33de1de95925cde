// Loading one boundary element library at run time and finding its entry point by the name
// the outside processor uses: the decorated _kelvin3d@44 on 32-bit Windows, kelvin3d elsewhere.
#pragma once

#include <string>

#include "bem.h"

namespace bem::host {

class HostLibrary {
 public:
  // Loads `path`; ok() tells whether it and the entry point `function` were found, error()
  // says what failed.
  HostLibrary(const std::string& path, const std::string& function);
  ~HostLibrary();
  HostLibrary(const HostLibrary&) = delete;
  HostLibrary& operator=(const HostLibrary&) = delete;

  bool ok() const { return entry_ != nullptr; }
  bem_entry_fn entry() const { return entry_; }
  const std::string& symbol() const { return symbol_; }
  const std::string& error() const { return error_; }

 private:
  void* handle_ = nullptr;
  bem_entry_fn entry_ = nullptr;
  std::string symbol_;
  std::string error_;
};

}  // namespace bem::host

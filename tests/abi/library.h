// Loads a built library and finds its one entry point, as an outside processor would.
#pragma once

#include <dlfcn.h>

#include <string>

#include "bem.h"

namespace bem::test {

struct Library {
  void* handle = nullptr;
  bem_entry_fn entry = nullptr;

  Library(const char* path, const char* symbol) {
    handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (handle) entry = reinterpret_cast<bem_entry_fn>(dlsym(handle, symbol));
  }
  ~Library() {
    if (handle) dlclose(handle);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
};

}  // namespace bem::test

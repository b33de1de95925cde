// The Windows part of the library loader: LoadLibrary, GetProcAddress and the executable's path.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "tools/bemrun/errors.h"
#include "tools/bemrun/library_loader.h"

namespace bemrun {
namespace {

std::string last_error_text() {
  const DWORD code = GetLastError();
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length ? std::string(text, length) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.pop_back();
  }
  return message;
}

}  // namespace

std::string shared_library_file_name(std::string_view name) {
  return std::string(name) + ".dll";
}

std::filesystem::path executable_folder(const char* argv0) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) break;
    if (length < buffer.size()) return std::filesystem::path(buffer.data()).parent_path();
    buffer.resize(2 * buffer.size());
  }
  std::error_code ec;
  return std::filesystem::absolute(argv0 ? argv0 : "", ec).parent_path();
}

Library::Library(const std::filesystem::path& path) : path_(path) {
  // A bare file name would make LoadLibrary search the system folders instead of this path.
  std::filesystem::path target = path;
  if (!target.has_parent_path()) target = std::filesystem::path(".") / target;
  handle_ = LoadLibraryW(target.c_str());
  if (handle_ == nullptr) {
    throw InputError(path.string() + ": cannot load the library: " + last_error_text());
  }
}

Library::~Library() {
  if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
}

bem_entry_fn Library::function(const char* name) const {
#if defined(_M_IX86) || defined(__i386__)
  // 32-bit exports carry the standard call decoration: 11 arguments of 4 bytes.
  const std::string exported = "_" + std::string(name) + "@44";
#else
  const std::string exported = name;
#endif
  FARPROC address = GetProcAddress(static_cast<HMODULE>(handle_), exported.c_str());
  if (address == nullptr) return nullptr;
  bem_entry_fn entry = nullptr;
  static_assert(sizeof entry == sizeof address);
  std::memcpy(&entry, &address, sizeof entry);
  return entry;
}

}  // namespace bemrun

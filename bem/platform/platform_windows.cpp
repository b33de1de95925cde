#include "platform.h"

#include <string>
#include <vector>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform_detail.h"

namespace bem::platform {

namespace detail {

std::int64_t system_time_ticks() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER ticks{};
  ticks.LowPart = now.dwLowDateTime;
  ticks.HighPart = now.dwHighDateTime;
  return static_cast<std::int64_t>(ticks.QuadPart);
}

// The rules of CommandLineToArgvW, written out so that the library imports nothing from
// SHELL32.dll. The program name ends at its closing quote or first blank, without escapes.
// In the arguments, 2n backslashes before a quote give n backslashes and the quote toggles
// quoting; 2n + 1 give n backslashes and a literal quote; other backslashes are literal.
// Within a run of quotes every third one is a literal quote.
std::vector<std::wstring> split_command_line(const wchar_t* line) {
  std::vector<std::wstring> words(1);
  if (line == nullptr) return words;
  const wchar_t* s = line;
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  if (*s == L'"') {
    for (++s; *s != L'\0' && *s != L'"'; ++s) words[0].push_back(*s);
    if (*s == L'"') ++s;
  } else {
    for (; *s != L'\0' && !blank(*s); ++s) words[0].push_back(*s);
  }
  int quotes = 0;  // 1 within quotes
  std::size_t backslashes = 0;
  bool in_word = false;
  while (*s != L'\0') {
    if (blank(*s) && quotes == 0) {
      ++s;
      in_word = false;
      backslashes = 0;
      continue;
    }
    if (!in_word) words.emplace_back();
    in_word = true;
    std::wstring& word = words.back();
    if (*s == L'\\') {
      word.push_back(*s++);
      ++backslashes;
    } else if (*s == L'"') {
      if (backslashes % 2 == 0) {
        word.resize(word.size() - backslashes / 2);
        ++quotes;
      } else {
        word.resize(word.size() - backslashes / 2 - 1);
        word.push_back(L'"');
      }
      backslashes = 0;
      for (++s; *s == L'"'; ++s) {
        if (++quotes == 3) {
          word.push_back(L'"');
          quotes = 0;
        }
      }
      if (quotes == 2) quotes = 0;
    } else {
      word.push_back(*s++);
      backslashes = 0;
    }
  }
  return words;
}

}  // namespace detail

namespace {

// In the active code page, which is what the C run time's fopen expects of a file name.
std::string narrow(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), size, nullptr, nullptr);
  result.resize(static_cast<std::size_t>(size - 1));  // without the terminating NUL
  return result;
}

}  // namespace

std::vector<std::string> host_arguments() {
  const std::vector<std::wstring> words = detail::split_command_line(GetCommandLineW());
  std::vector<std::string> arguments;
  for (std::size_t i = 1; i < words.size(); ++i) arguments.push_back(narrow(words[i].c_str()));
  return arguments;
}

void tone(int frequency_hz, int duration_ms) {
  Beep(static_cast<DWORD>(frequency_hz), static_cast<DWORD>(duration_ms));
}

}  // namespace bem::platform

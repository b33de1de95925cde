#include "errors.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

namespace bem::numerics {
namespace {

const char* severity_word(Severity severity) {
  switch (severity) {
    case Severity::warning:
      return "WARNING";
    case Severity::fatal:
      return "FATAL";
    case Severity::terminal:
      return "TERMINAL";
  }
  return "TERMINAL";
}

// Replaces every occurrence of each of the given placeholders by value.
std::string replace_all(std::string text,
                        std::initializer_list<const char*> placeholders,
                        const std::string& value) {
  for (const char* placeholder : placeholders) {
    const std::string key(placeholder);
    for (std::size_t at = text.find(key); at != std::string::npos;
         at = text.find(key, at + value.size())) {
      text.replace(at, key.size(), value);
    }
  }
  return text;
}

}  // namespace

void print_condition(Severity severity, int code, const char* routine, const std::string& text) {
  std::printf(" *** %s %d from %s: %s\n", severity_word(severity), code, routine, text.c_str());
  std::fflush(stdout);
}

void stop(Severity severity, int code, const char* routine, const std::string& text) {
  print_condition(severity, code, routine, text);
  std::fputs("Stop - Program terminated.\n", stdout);
  std::fflush(stdout);
  std::fflush(stderr);
  std::exit(1);
}

std::string fill_placeholders(const std::string& text, long long i1) {
  return replace_all(text, {"%(I1)", "%(i1)"}, std::to_string(i1));
}

std::string fill_placeholders(const std::string& text, double d1) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6E", d1);
  return replace_all(text, {"%(D1)", "%(d1)"}, buffer);
}

}  // namespace bem::numerics

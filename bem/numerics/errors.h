// The error facility of the numerical services and of the entry points' input checks.
//
// A condition has a severity, a code and a text. Messages go to the standard output of the
// process that loaded the library (the console), never to the analysis report. A warning is
// printed and the computation goes on; a fatal or terminal condition is printed, followed by
// "Stop - Program terminated.", and the process ends with exit status 1.
#pragma once

#include <string>

namespace bem::numerics {

enum class Severity { warning, fatal, terminal };

// Prints one message: the severity word ("WARNING", "FATAL" or "TERMINAL"), the code, the
// routine name and the text.
void print_condition(Severity severity, int code, const char* routine, const std::string& text);

// Prints the message, then "Stop - Program terminated.", flushes and ends the process.
[[noreturn]] void stop(Severity severity, int code, const char* routine, const std::string& text);

// Replaces the placeholders %(I1), %(i1) by an integer and %(D1) by a real.
std::string fill_placeholders(const std::string& text, long long i1);
std::string fill_placeholders(const std::string& text, double d1);

}  // namespace bem::numerics

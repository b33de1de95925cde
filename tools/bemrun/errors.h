// The two kinds of failure bemrun reports: a bad command line and bad input.
#ifndef VELDRA_TOOLS_BEMRUN_ERRORS_H
#define VELDRA_TOOLS_BEMRUN_ERRORS_H

#include <stdexcept>

namespace bemrun {

// The command line is wrong (exit status 2).
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A fault in an input file or library (exit status 1); the message names the file and, where
// there is one, the line: "mesh.txt:175: ...".
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace bemrun

#endif

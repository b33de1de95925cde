// The failures the core reports: what went wrong, in which file, on which line, with which
// value. The core never shows a message; the windows and the batch commands decide how.
#pragma once

#include <QString>
#include <utility>
#include <variant>

namespace veldra::core {

enum class ErrorKind {
  FileOpen,          // a file could not be opened or read
  FileWrite,         // a file could not be created, written or renamed into place
  InvalidExport,     // the export has "FINISH" before "NUMOFF,NODE,"
  IncompleteExport,  // the export ends before a line the conversion waits for
  MissingLine,       // a file has fewer lines than its counts need
  BadNumber,         // a count, an integer or a real does not read as one
  NoFieldWidth,      // an element line without a blank after a non-blank character
  Encoding,          // a text cannot be written in the file's encoding
  Refused,           // a choice that would destroy the user's data
};

struct Error {
  ErrorKind kind = ErrorKind::FileOpen;
  QString file;     // the file concerned; empty when none
  qint64 line = 0;  // 1-based line of that file; 0 when none
  QString value;    // the offending text as read; empty when none
  QString message;  // Portuguese description, naming the value where there is one

  // One line: "file:line: message", leaving out what is empty.
  QString text() const;
};

// A value or the error that prevented it.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}      // NOLINT: implicit by design
  Result(Error error) : state_(std::move(error)) {}  // NOLINT: implicit by design

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // Valid only when ok().
  const T& value() const& { return std::get<0>(state_); }
  T& value() & { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  // Valid only when !ok().
  const Error& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, Error> state_;
};

struct Done {};
using Status = Result<Done>;

}  // namespace veldra::core

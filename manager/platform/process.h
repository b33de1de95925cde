// Starting an outside program (the processor, the post-processor) and awaiting its end while
// the caller's event loop keeps running. The wait is driven by the system's notification of the
// program's end (QProcess's finished signal), never by polling, so the waiting manager takes
// no processor time from the program it waits for. A QCoreApplication (or QApplication) must
// exist; use from the thread that owns the objects.
#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QProcess;

namespace veldra::platform {

struct ProgramResult {
  enum class Outcome {
    NotStarted,  // missing file, not executable, missing or unusable working folder, ...
    Exited,      // ran and ended normally; exitCode holds its code (zero or not)
    Crashed,     // ran and was ended by a signal or an unhandled exception
    Abandoned,   // runProgram only: the application quit during the wait; the program goes on
  };
  Outcome outcome = Outcome::NotStarted;
  int exitCode = -1;  // the program's exit code when outcome is Exited, -1 otherwise
  QString errorText;  // Qt's description (English) when NotStarted or Crashed, for logs
  bool started() const { return outcome != Outcome::NotStarted; }
};

// One run of one program. start() returns at once; finished() follows exactly once per start(),
// never from inside start() (also when the program could not be started), through the caller's
// event loop.
class ProgramRun : public QObject {
  Q_OBJECT

 public:
  explicit ProgramRun(QObject* parent = nullptr);
  // Destroying the object while its program runs leaves the program running (it is not killed)
  // and finished() is not emitted.
  ~ProgramRun() override;

  // Starts `program` with no arguments, with `folder` as its current folder; the caller's own
  // current folder is not changed. The program inherits the environment and the standard
  // channels (its console output goes where the manager's goes; on Windows a manager without a
  // console gives it a console window of its own, as a start through the shell does). A
  // relative `program` path is taken from the caller's current folder, not from `folder`.
  // Precondition: not isRunning().
  void start(const QString& program, const QString& folder);
  bool isRunning() const { return process_ != nullptr; }
  // The outcome of the last start() once it is known (set just before finished() is queued),
  // empty before that.
  const std::optional<ProgramResult>& result() const { return result_; }

 signals:
  void finished(const veldra::platform::ProgramResult& result);

 private:
  void finish(ProgramResult result);

  QProcess* process_ = nullptr;
  std::optional<ProgramResult> result_;
};

// Starts `program` as ProgramRun::start does and runs a local QEventLoop until it has ended,
// so timers, repaints and queued calls of the caller go on meanwhile (the windows disable
// themselves first; the batch commands simply wait). Returns Abandoned, with the program left
// running, when the application is asked to quit during the wait.
ProgramResult runProgram(const QString& program, const QString& folder);

}  // namespace veldra::platform

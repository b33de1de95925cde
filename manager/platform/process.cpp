#include "manager/platform/process.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMetaObject>
#include <QProcess>
#include <QSet>

#include "manager/platform/process_detail.h"

namespace veldra::platform {
namespace {

// QProcess kills its program when it is destroyed, so a process whose ProgramRun goes away
// first is kept here, reachable, until its program ends by itself.
void keepUntilEnd(QProcess* process) {
  static auto* const running = new QSet<QProcess*>;
  process->disconnect();
  process->setParent(nullptr);
  running->insert(process);
  const auto forget = [process] {
    running->remove(process);
    process->deleteLater();
  };
  QObject::connect(process, &QProcess::finished, forget);
  QObject::connect(process, &QProcess::errorOccurred, [forget](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) forget();
  });
}

QString programPath(const QString& program) {
  const bool bareName = !program.contains(QLatin1Char('/')) && !program.contains(QLatin1Char('\\'));
  return bareName ? program : QFileInfo(program).absoluteFilePath();
}

}  // namespace

ProgramRun::ProgramRun(QObject* parent) : QObject(parent) {}

ProgramRun::~ProgramRun() {
  if (process_ != nullptr && process_->state() != QProcess::NotRunning) keepUntilEnd(process_);
}

void ProgramRun::start(const QString& program, const QString& folder) {
  Q_ASSERT(!isRunning());
  result_.reset();
  auto* process = new QProcess(this);
  process_ = process;
  process->setProgram(programPath(program));
  process->setArguments({});
  process->setWorkingDirectory(folder);
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  process->setInputChannelMode(QProcess::ForwardedInputChannel);
  detail::prepareStart(*process);
  connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart)
      finish({ProgramResult::Outcome::NotStarted, -1, process->errorString()});
  });
  connect(process, &QProcess::finished, this,
          [this, process](int exitCode, QProcess::ExitStatus status) {
            if (status == QProcess::NormalExit)
              finish({ProgramResult::Outcome::Exited, exitCode, QString()});
            else
              finish({ProgramResult::Outcome::Crashed, -1, process->errorString()});
          });
  process->start();
}

void ProgramRun::finish(ProgramResult result) {
  if (process_ == nullptr) return;
  process_->disconnect(this);
  process_->deleteLater();
  process_ = nullptr;
  result_ = result;
  QMetaObject::invokeMethod(
      this, [this, result] { emit finished(result); }, Qt::QueuedConnection);
}

ProgramResult runProgram(const QString& program, const QString& folder) {
  ProgramRun run;
  QEventLoop loop;
  QObject::connect(&run, &ProgramRun::finished, &loop, &QEventLoop::quit);
  run.start(program, folder);
  loop.exec();
  // An application that quits ends every event loop of its thread, this one included.
  if (run.result()) return *run.result();
  return {ProgramResult::Outcome::Abandoned, -1, QString()};
}

}  // namespace veldra::platform

// Drives the stand-in program (stand_in.cpp) from a test and reads what it recorded.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QThread>

namespace platform_test {

inline QString standInProgram() {
  return QStringLiteral(STAND_IN_PROGRAM);
}

// Sets the environment the next started stand-in inherits; the destructor clears it.
class StandInSettings {
 public:
  StandInSettings(const QString& record, int exitCode, int delayMs, bool abort = false) {
    qputenv("STAND_IN_RECORD", QFile::encodeName(record));
    qputenv("STAND_IN_EXIT", QByteArray::number(exitCode));
    qputenv("STAND_IN_DELAY_MS", QByteArray::number(delayMs));
    if (abort) qputenv("STAND_IN_ABORT", "1");
  }
  ~StandInSettings() {
    for (const char* name :
         {"STAND_IN_RECORD", "STAND_IN_EXIT", "STAND_IN_DELAY_MS", "STAND_IN_ABORT"})
      qunsetenv(name);
  }
  StandInSettings(const StandInSettings&) = delete;
  StandInSettings& operator=(const StandInSettings&) = delete;
};

inline QStringList recordedLines(const QString& record) {
  QFile file(record);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Waits, processing events, until the record holds `line` or 20 s have passed. The bound only
// keeps a broken run from hanging the test; a pass never comes near it.
inline bool waitForRecordedLine(const QString& record, const QString& line) {
  QDeadlineTimer deadline(20000);
  while (!recordedLines(record).contains(line)) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(10);
  }
  return true;
}

}  // namespace platform_test

#include "manager/platform/process.h"

#include <gtest/gtest.h>
#include <time.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <ostream>
#include <string>

#include "stand_in.h"

namespace veldra::platform {
namespace {

using Outcome = ProgramResult::Outcome;
using platform_test::recordedLines;
using platform_test::standInProgram;
using platform_test::StandInSettings;
using platform_test::waitForRecordedLine;

double threadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

class ProgramRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scratch_.isValid());
    ASSERT_TRUE(QDir().mkpath(folder()));
  }
  // The program's current folder; the blank makes sure it is passed as one path.
  QString folder() const { return scratch_.path() + QStringLiteral("/programas auxiliares"); }
  QString record() const { return scratch_.path() + QStringLiteral("/record.txt"); }
  QString scratch() const { return scratch_.path(); }

 private:
  QTemporaryDir scratch_;
};

TEST_F(ProgramRunTest, RunsInTheGivenFolderWithNoArgumentsAndWaitsForTheEnd) {
  const StandInSettings settings(record(), 0, 200);
  const QString callerFolder = QDir::currentPath();
  const ProgramResult result = runProgram(standInProgram(), folder());
  EXPECT_EQ(result.outcome, Outcome::Exited);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.started());
  const QStringList lines = recordedLines(record());
  ASSERT_EQ(lines.size(), 3) << lines.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(lines[0], QDir(folder()).canonicalPath());
  EXPECT_EQ(lines[1], QStringLiteral("arguments 0"));
  EXPECT_EQ(lines[2], QStringLiteral("done"));  // the wait lasted until the program's end
  EXPECT_EQ(QDir::currentPath(), callerFolder);
}

class ExitCodeTest : public ProgramRunTest, public ::testing::WithParamInterface<int> {};

TEST_P(ExitCodeTest, ExitCodeIsReportedAsAnExit) {
  const StandInSettings settings(record(), GetParam(), 0);
  const ProgramResult result = runProgram(standInProgram(), folder());
  EXPECT_EQ(result.outcome, Outcome::Exited);
  EXPECT_EQ(result.exitCode, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Codes,
                         ExitCodeTest,
                         ::testing::Values(0, 1, 7, 255),
                         [](const ::testing::TestParamInfo<int>& testCase) {
                           return "Code" + std::to_string(testCase.param);
                         });

TEST_F(ProgramRunTest, ProgramEndedByASignalIsReportedAsCrashed) {
  const StandInSettings settings(record(), 0, 0, /*abort=*/true);
  const ProgramResult result = runProgram(standInProgram(), folder());
  EXPECT_EQ(result.outcome, Outcome::Crashed);
  EXPECT_TRUE(result.started());
  EXPECT_EQ(result.exitCode, -1);
}

struct NotStartedCase {
  const char* name;
  const char* program;  // relative to the scratch folder; "<stand-in>" for the stand-in
  const char* folder;   // relative to the scratch folder
};

void PrintTo(const NotStartedCase& testCase, std::ostream* out) {
  *out << testCase.name;
}

class NotStartedTest : public ProgramRunTest,
                       public ::testing::WithParamInterface<NotStartedCase> {};

TEST_P(NotStartedTest, ProgramThatCannotStartIsReportedAsNotStarted) {
  QFile plain(scratch() + QStringLiteral("/plain.exe"));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  ASSERT_GT(plain.write("#!/bin/sh\nexit 0\n"), 0);
  plain.close();
  ASSERT_TRUE(plain.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
  const QString program = QString::fromLatin1(GetParam().program) == QLatin1String("<stand-in>")
                              ? standInProgram()
                              : scratch() + QLatin1Char('/') + GetParam().program;
  const StandInSettings settings(record(), 0, 0);

  const ProgramResult result =
      runProgram(program, scratch() + QLatin1Char('/') + GetParam().folder);
  EXPECT_EQ(result.outcome, Outcome::NotStarted);
  EXPECT_FALSE(result.started());
  EXPECT_EQ(result.exitCode, -1);
  EXPECT_FALSE(result.errorText.isEmpty());
  EXPECT_FALSE(QFile::exists(record()));
}

INSTANTIATE_TEST_SUITE_P(
    Causes,
    NotStartedTest,
    ::testing::Values(NotStartedCase{"MissingFile", "processador.exe", "programas auxiliares"},
                      NotStartedCase{"NotExecutable", "plain.exe", "programas auxiliares"},
                      NotStartedCase{"Folder", "programas auxiliares", "programas auxiliares"},
                      NotStartedCase{"MissingWorkingFolder", "<stand-in>", "no such folder"}),
    [](const ::testing::TestParamInfo<NotStartedCase>& testCase) {
      return std::string(testCase.param.name);
    });

// The fault this catches: a wait that polls the exit status with no pause takes a whole core
// for the length of the run (about 1 s of processor time here), and a blocking wait stops the
// caller's timers.
TEST_F(ProgramRunTest, WaitKeepsTheEventLoopRunningWithoutBusyPolling) {
  const StandInSettings settings(record(), 3, 1000);
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(20);
  const double cpuBefore = threadCpuSeconds();
  const ProgramResult result = runProgram(standInProgram(), folder());
  const double cpuSpent = threadCpuSeconds() - cpuBefore;
  timer.stop();
  EXPECT_EQ(result.outcome, Outcome::Exited);
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_TRUE(recordedLines(record()).contains(QStringLiteral("done")));
  EXPECT_GE(ticks, 5) << "the timer must tick about 50 times during a 1 s wait";
  EXPECT_LT(cpuSpent, 0.2) << "processor time of the waiting thread during a 1 s wait";
}

TEST_F(ProgramRunTest, StartReturnsAtOnceAndFinishedFollowsOnceThroughTheEventLoop) {
  const StandInSettings settings(record(), 5, 300);
  ProgramRun run;
  int reports = 0;
  ProgramResult last;
  QEventLoop loop;
  QObject::connect(&run, &ProgramRun::finished, [&](const ProgramResult& result) {
    ++reports;
    last = result;
    loop.quit();
  });
  run.start(standInProgram(), folder());
  EXPECT_TRUE(run.isRunning());
  EXPECT_EQ(reports, 0);
  QTimer::singleShot(20000, &loop, &QEventLoop::quit);  // only if finished never comes
  loop.exec();
  QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(last.outcome, Outcome::Exited);
  EXPECT_EQ(last.exitCode, 5);
  EXPECT_FALSE(run.isRunning());
  ASSERT_TRUE(run.result().has_value());
  EXPECT_EQ(run.result()->exitCode, 5);
}

TEST_F(ProgramRunTest, FailedStartIsReportedOnceAndNotFromInsideStart) {
  ProgramRun run;
  int reports = 0;
  Outcome outcome = Outcome::Exited;
  QObject::connect(&run, &ProgramRun::finished, [&](const ProgramResult& result) {
    ++reports;
    outcome = result.outcome;
  });
  run.start(scratch() + QStringLiteral("/missing.exe"), folder());
  EXPECT_EQ(reports, 0);
  for (int i = 0; i < 50 && reports == 0; ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(outcome, Outcome::NotStarted);
}

TEST_F(ProgramRunTest, DestroyingTheRunLeavesTheProgramRunning) {
  const StandInSettings settings(record(), 0, 500);
  auto run = std::make_unique<ProgramRun>();
  run->start(standInProgram(), folder());
  ASSERT_TRUE(waitForRecordedLine(record(), QStringLiteral("arguments 0")));
  run.reset();
  EXPECT_TRUE(waitForRecordedLine(record(), QStringLiteral("done")))
      << "the program was ended with its ProgramRun";
}

TEST_F(ProgramRunTest, ApplicationQuitDuringTheWaitAbandonsItAndLeavesTheProgramRunning) {
  const StandInSettings settings(record(), 0, 1000);
  QTimer::singleShot(100, [] { QCoreApplication::exit(0); });
  const ProgramResult result = runProgram(standInProgram(), folder());
  EXPECT_EQ(result.outcome, Outcome::Abandoned);
  EXPECT_FALSE(recordedLines(record()).contains(QStringLiteral("done")));
  // exit() leaves every later event loop of this thread ending at once until the application's
  // own loop has run again; run it once so that the wait below processes events.
  QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
  EXPECT_TRUE(waitForRecordedLine(record(), QStringLiteral("done")))
      << "the program was ended with the abandoned wait";
}

}  // namespace
}  // namespace veldra::platform

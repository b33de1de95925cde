// openWithShell starts xdg-open, which a test machine may lack; the same start is checked with
// the stand-in in its place.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "manager/platform/shell_detail.h"
#include "stand_in.h"

namespace veldra::platform {
namespace {

using platform_test::recordedLines;
using platform_test::standInProgram;
using platform_test::StandInSettings;
using platform_test::waitForRecordedLine;

class ShellOpenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scratch_.isValid());
    callerFolder_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(scratch_.path()));
  }
  void TearDown() override { QDir::setCurrent(callerFolder_); }
  QString record() const { return scratch_.path() + QStringLiteral("/record.txt"); }
  QString scratch() const { return QDir(scratch_.path()).canonicalPath(); }

 private:
  QTemporaryDir scratch_;
  QString callerFolder_;
};

TEST_F(ShellOpenTest, OpenerGetsTheAbsolutePathAsItsOnlyArgument) {
  for (const QString& given :
       {QStringLiteral("arquivos auxiliares/pathdir.txt"), QStringLiteral("-n.txt")}) {
    QFile::remove(record());
    const StandInSettings settings(record(), 0, 0);
    ASSERT_TRUE(detail::startOpener(standInProgram(), given)) << given.toStdString();
    ASSERT_TRUE(waitForRecordedLine(record(), QStringLiteral("done")));
    const QStringList lines = recordedLines(record());
    ASSERT_EQ(lines.size(), 4) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(lines[0], scratch());  // started in the caller's current folder
    EXPECT_EQ(lines[1], QStringLiteral("arguments 1"));
    EXPECT_EQ(lines[2], scratch() + QLatin1Char('/') + given);
  }
}

TEST_F(ShellOpenTest, MissingOpenerIsReportedAsNotStarted) {
  EXPECT_FALSE(detail::startOpener(scratch() + QStringLiteral("/no-such-opener"),
                                   QStringLiteral("file.txt")));
}

}  // namespace
}  // namespace veldra::platform

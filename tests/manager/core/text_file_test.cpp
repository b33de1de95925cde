#include "manager/core/text_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "test_support.h"

namespace veldra::core {
namespace {

using testing::file_bytes;
using testing::write_bytes;

struct SplitCase {
  friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  const char* text;
  QStringList lines;
};

class SplitLines : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLines, EveryLineEndEndsALine) {
  EXPECT_EQ(split_lines(QString::fromLatin1(GetParam().text)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         SplitLines,
                         ::testing::Values(SplitCase{"crlf", "a\r\nb\r\n", {"a", "b"}},
                                           SplitCase{"lf", "a\nb\n", {"a", "b"}},
                                           SplitCase{"cr", "a\rb\r", {"a", "b"}},
                                           SplitCase{"no_final_end", "a\r\nb", {"a", "b"}},
                                           SplitCase{
                                               "empty_lines", "\r\n\r\nx\n\n", {"", "", "x", ""}},
                                           SplitCase{"mixed", "a\r\n\rb\n", {"a", "", "b"}},
                                           SplitCase{"empty", "", {}}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(TextFile, LinesAreWrittenWithCrLfInTheEncoding) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("a.lis"));
  const QStringList lines = {QString(), QStringLiteral("Nó"), QString()};
  ASSERT_TRUE(write_text_lines(path, lines, TextEncoding::Utf8).ok());
  EXPECT_EQ(file_bytes(path), QByteArray("\r\nN\xC3\xB3\r\n\r\n"));
  ASSERT_TRUE(write_text_lines(path, lines, TextEncoding::Windows1252).ok());
  EXPECT_EQ(file_bytes(path), QByteArray("\r\nN\xF3\r\n\r\n"));
}

TEST(TextFile, ReadsBothEncodingsAndAllLineEnds) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("m.txt"));
  ASSERT_TRUE(write_bytes(path, QByteArray("N\xFAmero\r\nx\ny")));
  Result<QStringList> lines = read_text_lines(path);
  ASSERT_TRUE(lines.ok()) << testing::error_text(lines).toStdString();
  EXPECT_EQ(lines.value(), (QStringList{QStringLiteral("Número"), "x", "y"}));
}

TEST(TextFile, MissingFileIsAnOpenErrorNamingIt) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("none.txt"));
  Result<QStringList> lines = read_text_lines(path);
  ASSERT_FALSE(lines.ok());
  EXPECT_EQ(lines.error().kind, ErrorKind::FileOpen);
  EXPECT_EQ(lines.error().file, path);
  EXPECT_TRUE(lines.error().text().startsWith(path + QStringLiteral(": ")));
}

TEST(TextFile, UnencodableTextFailsNamingFileLineAndCharacterAndKeepsTheOldFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("wd.lis"));
  ASSERT_TRUE(write_bytes(path, "old\r\n"));
  const Status s = write_text_lines(path, {QStringLiteral("ok"), QStringLiteral("C:\\\u6A21\\")},
                                    TextEncoding::Windows1252);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.error().kind, ErrorKind::Encoding);
  EXPECT_EQ(s.error().line, 2);
  EXPECT_EQ(s.error().value, QStringLiteral("\u6A21"));
  EXPECT_EQ(file_bytes(path), QByteArray("old\r\n"));
}

TEST(TextFile, WriteIntoAMissingFolderFailsAndLeavesNoFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("no/such/folder/x.lis"));
  const Status s = write_text_lines(path, {QStringLiteral("x")});
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.error().kind, ErrorKind::FileWrite);
  EXPECT_EQ(s.error().file, path);
  EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(TextFile, ReplacingAFileLeavesNoTemporaryBehind) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("x.lis"));
  ASSERT_TRUE(write_bytes(path, "old"));
  ASSERT_TRUE(write_text_lines(path, {QStringLiteral("new")}).ok());
  EXPECT_EQ(file_bytes(path), QByteArray("new\r\n"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("x.lis")});
}

}  // namespace
}  // namespace veldra::core

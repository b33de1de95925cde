#include "manager/core/library_files.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace veldra::core {
namespace {

TEST(LibraryFiles, ItemsAndTheirFiles) {
  const QStringList files = {"mplist.lis", "mplast.lis", "mvisc.lis",  "fiber.lis",  "tsbar.lis",
                             "klist.lis",  "tslist.lis", "fibras.lis", "posproc.lis"};
  ASSERT_EQ(library_items().size(), 10);
  EXPECT_EQ(library_items()[3], QStringLiteral("Direção de Fibras"));
  EXPECT_EQ(library_items()[6], QStringLiteral("Seção Cascas/Placas"));
  EXPECT_EQ(library_items()[8], QStringLiteral("Pós-Processamento"));
  EXPECT_EQ(library_items()[9], QString());
  for (int i = 0; i < 9; ++i) EXPECT_EQ(library_file_name(i), files[i]);
  EXPECT_EQ(library_file_name(9), QString());
}

TEST(LibraryFiles, BlankItemReopensTheLastPath) {
  const Folders f = folders_of(QStringLiteral("C:\\v"), QLatin1Char('\\'));
  const QString first = library_path_after_click(f, 9, QString());
  EXPECT_EQ(first, QString());  // nothing opened yet: the load fails on an empty path
  const QString klist = library_path_after_click(f, 5, first);
  EXPECT_EQ(klist, QStringLiteral("C:\\v\\programas auxiliares\\bibliotecas\\klist.lis"));
  EXPECT_EQ(library_path_after_click(f, 9, klist), klist);
}

struct SaveCase {
  friend void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  const char* text;
  const char* bytes;
};

class EditorSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(EditorSave, TextThenOneMoreLineEnd) {
  Result<QByteArray> bytes =
      editor_text_bytes(QString::fromUtf8(GetParam().text), TextEncoding::Utf8, "f.lis");
  ASSERT_TRUE(bytes.ok());
  EXPECT_EQ(bytes.value(), QByteArray(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         EditorSave,
                         ::testing::Values(SaveCase{"two_lines", "a\nb", "a\r\nb\r\n"},
                                           SaveCase{"crlf_text", "a\r\nb", "a\r\nb\r\n"},
                                           SaveCase{"final_line_end", "a\nb\n", "a\r\nb\r\n\r\n"},
                                           SaveCase{"empty", "", "\r\n"},
                                           SaveCase{"only_line_end", "\n", "\r\n\r\n"}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(LibraryFiles, EditorSaveInWindows1252) {
  Result<QByteArray> bytes =
      editor_text_bytes(QStringLiteral("Pós"), TextEncoding::Windows1252, "f");
  ASSERT_TRUE(bytes.ok());
  EXPECT_EQ(bytes.value(), QByteArray("P\xF3s\r\n"));
}

}  // namespace
}  // namespace veldra::core

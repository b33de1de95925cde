#include "manager/core/folders.h"

#include <gtest/gtest.h>

#include "manager/core/text_file.h"
#include "test_support.h"

namespace veldra::core {
namespace {

const QChar kBackslash = QLatin1Char('\\');
const QChar kSlash = QLatin1Char('/');

TEST(Folders, WindowsStartFolderAndTheFoldersBuiltOnIt) {
  const Folders f = folders_of(QStringLiteral("C:/Análises/veldra"), kBackslash);
  EXPECT_EQ(f.start, QStringLiteral("C:\\Análises\\veldra\\"));
  EXPECT_EQ(f.auxiliary_files, QStringLiteral("C:\\Análises\\veldra\\arquivos auxiliares\\"));
  EXPECT_EQ(f.auxiliary_programs, QStringLiteral("C:\\Análises\\veldra\\programas auxiliares\\"));
  EXPECT_EQ(f.library, QStringLiteral("C:\\Análises\\veldra\\programas auxiliares\\bibliotecas\\"));
  EXPECT_EQ(f.export_file(),
            QStringLiteral("C:\\Análises\\veldra\\arquivos auxiliares\\adatafile.adf"));
  EXPECT_EQ(f.export_back_file(),
            QStringLiteral("C:\\Análises\\veldra\\arquivos auxiliares\\abackfile.abf"));
  EXPECT_EQ(f.path_txt(), QStringLiteral("C:\\Análises\\veldra\\arquivos auxiliares\\path.txt"));
  EXPECT_EQ(f.pathdir_txt(),
            QStringLiteral("C:\\Análises\\veldra\\arquivos auxiliares\\pathdir.txt"));
  EXPECT_EQ(f.wd_lis(), QStringLiteral("C:\\Análises\\veldra\\programas auxiliares\\wd.lis"));
  EXPECT_EQ(f.index_htm(), QStringLiteral("C:\\Análises\\veldra\\programas auxiliares\\index.htm"));
  EXPECT_EQ(f.processor(),
            QStringLiteral("C:\\Análises\\veldra\\programas auxiliares\\processador.exe"));
  EXPECT_EQ(f.post_processor(),
            QStringLiteral("C:\\Análises\\veldra\\programas auxiliares\\visualizador.exe"));
}

TEST(Folders, RootStartFolderGetsNoSecondSeparator) {
  EXPECT_EQ(folders_of(QStringLiteral("C:\\"), kBackslash).start, QStringLiteral("C:\\"));
  EXPECT_EQ(folders_of(QStringLiteral("/"), kSlash).start, QStringLiteral("/"));
}

TEST(Folders, PosixStartFolder) {
  const Folders f = folders_of(QStringLiteral("/home/ana/veldra"), kSlash);
  EXPECT_EQ(f.start, QStringLiteral("/home/ana/veldra/"));
  EXPECT_EQ(f.library, QStringLiteral("/home/ana/veldra/programas auxiliares/bibliotecas/"));
}

struct SaveCase {
  friend void PrintTo(const SaveCase& c, std::ostream* os) { *os << '"' << c.chosen << '"'; }
  const char* chosen;
  const char* target;
};

class SaveTarget : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveTarget, OneFinalTxtRemovedThenTxtAppended) {
  EXPECT_EQ(save_target(QString::fromUtf8(GetParam().chosen)),
            QString::fromUtf8(GetParam().target));
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         SaveTarget,
                         ::testing::Values(SaveCase{"C:\\m\\viga", "C:\\m\\viga.txt"},
                                           SaveCase{"C:\\m\\viga.txt", "C:\\m\\viga.txt"},
                                           SaveCase{"viga.txt.txt", "viga.txt.txt"},
                                           SaveCase{"viga.dat", "viga.dat.txt"},
                                           SaveCase{"viga.", "viga..txt"},
                                           SaveCase{".txt", ".txt"}));

struct PartsCase {
  friend void PrintTo(const PartsCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  const char* path;
  char separator;
  const char* dir;
  const char* file;
  const char* ext;
  const char* base;
};

class NameParts : public ::testing::TestWithParam<PartsCase> {};

TEST_P(NameParts, DirNameExtBase) {
  const PartsCase& c = GetParam();
  const FileNameParts p = file_name_parts(QString::fromUtf8(c.path), QLatin1Char(c.separator));
  EXPECT_EQ(p.dir, QString::fromUtf8(c.dir));
  EXPECT_EQ(p.name, QString::fromUtf8(c.file));
  EXPECT_EQ(p.ext, QString::fromUtf8(c.ext));
  EXPECT_EQ(p.base, QString::fromUtf8(c.base));
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    NameParts,
    ::testing::Values(
        PartsCase{"plain", "C:\\dados\\viga.txt", '\\', "C:\\dados", "viga.txt", ".txt", "viga"},
        PartsCase{"forward_slashes", "C:/dados/viga.txt", '\\', "C:\\dados", "viga.txt", ".txt",
                  "viga"},
        PartsCase{"no_extension", "C:\\dados\\viga", '\\', "C:\\dados", "viga", "", "viga"},
        PartsCase{"several_dots", "C:\\dados\\viga.v2.mef", '\\', "C:\\dados", "viga.v2.mef",
                  ".mef", "viga.v2"},
        PartsCase{"drive_root", "C:\\viga.txt", '\\', "C:\\", "viga.txt", ".txt", "viga"},
        PartsCase{"posix_root", "/viga.txt", '/', "/", "viga.txt", ".txt", "viga"},
        PartsCase{"posix", "/home/ana/sapata.txt", '/', "/home/ana", "sapata.txt", ".txt",
                  "sapata"},
        // Elsewhere than on Windows a backslash belongs to the name.
        PartsCase{"posix_backslash", "/home/a\\b.txt", '/', "/home", "a\\b.txt", ".txt", "a\\b"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(PathFiles, PathdirHoldsTheWorkingDirectoryCommand) {
  const Folders f = folders_of(QStringLiteral("D:\\veldra"), kBackslash);
  EXPECT_EQ(
      pathdir_lines(f),
      (QStringList{QStringLiteral("Execute o seguinte comando na barra \"ANSYS Command Prompt\":"),
                   QStringLiteral("/CWD,D:\\veldra\\arquivos auxiliares\\")}));
  EXPECT_EQ(join_crlf(pathdir_lines(f)),
            QStringLiteral("Execute o seguinte comando na barra \"ANSYS Command Prompt\":\r\n"
                           "/CWD,D:\\veldra\\arquivos auxiliares\\\r\n"));
}

TEST(PathFiles, PathTxtInitialAndAfterASearch) {
  EXPECT_EQ(join_crlf(path_txt_initial_lines()), QStringLiteral("*\r\n\r\n"));
  EXPECT_EQ(join_crlf(path_txt_search_result_lines(QStringLiteral("C:\\p\\ansys.lnk"))),
            QStringLiteral("C:\\p\\ansys.lnk\r\n"));
  EXPECT_EQ(join_crlf(path_txt_search_result_lines(QString())), QStringLiteral("\r\n"));
}

TEST(PathFiles, FirstLineOfPathTxtDecides) {
  using Kind = ShortcutCache::Kind;
  EXPECT_EQ(read_shortcut_cache({QStringLiteral("*"), QString()}).kind, Kind::Search);
  EXPECT_EQ(read_shortcut_cache({QString()}).kind, Kind::NotFound);
  EXPECT_EQ(read_shortcut_cache({}).kind, Kind::NotFound);
  EXPECT_EQ(read_shortcut_cache({QStringLiteral("* ")}).kind, Kind::Shortcut);
  const ShortcutCache found = read_shortcut_cache({QStringLiteral("C:\\a\\ansys.lnk"), "*"});
  EXPECT_EQ(found.kind, Kind::Shortcut);
  EXPECT_EQ(found.path, QStringLiteral("C:\\a\\ansys.lnk"));
}

}  // namespace
}  // namespace veldra::core

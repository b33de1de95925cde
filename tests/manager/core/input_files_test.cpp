#include "manager/core/input_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "manager/core/export_conversion.h"
#include "manager/core/text_file.h"
#include "test_support.h"

namespace veldra::core {
namespace {

using testing::crlf_bytes;
using testing::data_path;
using testing::error_text;
using testing::file_bytes;
using testing::write_bytes;

const NumberFormat kPoint = NumberFormat::with_separator(QStringLiteral("."));
const QByteArray kNoteFile("\r\n *** NOTE *** \r\n");
const QStringList kMefLists = {"nlist", "elist", "dlist", "flist", "sflis"};
const QStringList kMecLists = {"bnlist", "belist", "bdlist", "bflist"};

// A start folder with its library folder, and model data files converted from the samples.
class RunFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    folders_ = folders_of(dir_.path());
    ASSERT_TRUE(QDir().mkpath(folders_.library));
    ASSERT_TRUE(QDir().mkpath(dir_.filePath("modelos")));
    basic_ = convert_sample("basic");
    no_loads_ = convert_sample("no-loads");
  }

  QString convert_sample(const QString& stem) {
    Result<QStringList> model = convert_export_file(data_path(stem + ".adf"), kPoint);
    EXPECT_TRUE(model.ok()) << error_text(model).toStdString();
    const QString path = dir_.filePath("modelos/" + save_target(stem));
    EXPECT_TRUE(write_text_lines(path, model.value(), TextEncoding::Utf8).ok());
    return path;
  }

  Result<ProcessorInput> prepare(const QString& mef, const QString& mec, int coupling) {
    ProcessorOptions options;
    options.coupling = coupling;
    return prepare_processor_input(folders_, mef, mec, options, kPoint);
  }

  Status prepare_and_write(const QString& mef, const QString& mec, int coupling) {
    Result<ProcessorInput> input = prepare(mef, mec, coupling);
    if (!input) return input.error();
    return write_processor_input(input.value(), TextEncoding::Utf8);
  }

  QByteArray library_file(const QString& name) const { return file_bytes(folders_.library + name); }

  QStringList written_library_files() const {
    return QDir(folders_.library).entryList(QDir::Files, QDir::Name);
  }

  QTemporaryDir dir_;
  Folders folders_;
  QString basic_;
  QString no_loads_;
};

TEST_F(RunFolder, RoundTripExportToModelDataFileToListFiles) {
  const Status s = prepare_and_write(basic_, no_loads_, 3);
  ASSERT_TRUE(s.ok()) << error_text(s).toStdString();
  for (const QString& list : kMefLists) {
    EXPECT_EQ(library_file(list + ".lis"), file_bytes(data_path("basic." + list + ".ref")))
        << list.toStdString();
  }
  // The "b" files are made from the MEC file exactly like the first four from the MEF file.
  for (qsizetype i = 0; i < kMecLists.size(); ++i) {
    EXPECT_EQ(library_file(kMecLists[i] + ".lis"),
              file_bytes(data_path("no-loads." + kMefLists[i] + ".ref")))
        << kMecLists[i].toStdString();
  }
}

TEST_F(RunFolder, ListFileRowsAreTheModelDataFileLinesOneByOne) {
  ASSERT_TRUE(prepare_and_write(basic_, QString(), 0).ok());
  const QStringList model = split_lines(decode_text(file_bytes(basic_)));
  const auto rows_of = [&](const QString& name, qsizetype header_lines) {
    return split_lines(decode_text(library_file(name))).mid(header_lines);
  };
  EXPECT_EQ(rows_of("nlist.lis", 2), model.mid(11, 7));
  EXPECT_EQ(rows_of("elist.lis", 3), model.mid(22, 3));
  EXPECT_EQ(rows_of("dlist.lis", 2), model.mid(29, 4));
  EXPECT_EQ(rows_of("flist.lis", 2), model.mid(37, 2));
  EXPECT_EQ(rows_of("sflis.lis", 2), model.mid(43, 2));
}

TEST_F(RunFolder, WdLisAndGeneralDataFile) {
  ASSERT_TRUE(prepare_and_write(basic_, QString(), 0).ok());
  const QString models = QFileInfo(basic_).absolutePath();
  EXPECT_EQ(file_bytes(folders_.wd_lis()),
            crlf_bytes({"arquivo para informar o caminho do diretório de análise",
                        "caminho dos arquvios gerais", "#", models + "/", "caminho das dlls", "#",
                        folders_.library, "arquivo de dados", "#", "basic"}));
  EXPECT_EQ(library_file("basic.txt"),
            crlf_bytes({"arquivo de entrada de dados geral", "", "dados gerais para o problema", "",
                        "naprox  analise  viscosa  modelo  nincrem  tnorm      tolf      told  "
                        "maxiter  dpsurf  MA  refin  TMEC  tpto  fatpto",
                        "#",
                        "     3        0        0       0       20      1  1.0E-005  1.0E-005"
                        "      200       1  27      0     0     1    0.00"}));
}

TEST_F(RunFolder, MefCouplingWritesNoteFilesEvenWithAMecFileChosen) {
  ASSERT_TRUE(prepare_and_write(basic_, no_loads_, 0).ok());
  for (const QString& list : kMecLists) EXPECT_EQ(library_file(list + ".lis"), kNoteFile);
}

TEST_F(RunFolder, BoundaryElementCouplingWithoutMecFileWritesNoteFiles) {
  ASSERT_TRUE(prepare_and_write(basic_, QString(), 1).ok());
  for (const QString& list : kMecLists) EXPECT_EQ(library_file(list + ".lis"), kNoteFile);
}

TEST_F(RunFolder, ZeroCountsGiveNoteFormsButNodeAndElementHeadersStay) {
  ASSERT_TRUE(prepare_and_write(no_loads_, QString(), 0).ok());
  EXPECT_EQ(library_file("dlist.lis"), kNoteFile);
  EXPECT_EQ(library_file("flist.lis"), kNoteFile);
  EXPECT_EQ(library_file("sflis.lis"), kNoteFile);
  EXPECT_EQ(library_file("nlist.lis"), file_bytes(data_path("no-loads.nlist.ref")));
  EXPECT_EQ(library_file("elist.lis"), file_bytes(data_path("no-loads.elist.ref")));
}

TEST_F(RunFolder, FilesAreListedInTheOrderTheyAreWritten) {
  Result<ProcessorInput> input = prepare(basic_, no_loads_, 2);
  ASSERT_TRUE(input.ok());
  QStringList names;
  for (const InputFile& f : input.value().files) names << QFileInfo(f.path).fileName();
  EXPECT_EQ(names,
            (QStringList{"wd.lis", "basic.txt", "nlist.lis", "elist.lis", "dlist.lis", "flist.lis",
                         "sflis.lis", "bnlist.lis", "belist.lis", "bdlist.lis", "bflist.lis"}));
  EXPECT_EQ(input.value().general_data_file, folders_.library + "basic.txt");
}

// Regression: a MEF file named base + ".txt" in the library folder was replaced by the general
// data file and deleted after the run.
TEST_F(RunFolder, MefFileThatIsTheGeneralDataFileIsRefusedBeforeAnythingIsWritten) {
  const QString inside = folders_.library + "basic.txt";
  ASSERT_TRUE(QFile::copy(basic_, inside));
  const Status s = prepare_and_write(inside, QString(), 0);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.error().kind, ErrorKind::Refused);
  EXPECT_EQ(s.error().file, inside);
  EXPECT_EQ(file_bytes(inside), file_bytes(basic_));
  EXPECT_EQ(written_library_files(), QStringList{"basic.txt"});
  EXPECT_FALSE(QFileInfo::exists(folders_.wd_lis()));
}

TEST_F(RunFolder, MecFileThatTheRunWouldReplaceIsRefused) {
  for (const QString& name : {QStringLiteral("basic.txt"), QStringLiteral("bnlist.lis")}) {
    const QString inside = folders_.library + name;
    ASSERT_TRUE(QFile::copy(no_loads_, inside));
    const Status s = prepare_and_write(basic_, inside, 3);
    ASSERT_FALSE(s.ok()) << name.toStdString();
    EXPECT_EQ(s.error().kind, ErrorKind::Refused);
    EXPECT_EQ(file_bytes(inside), file_bytes(no_loads_));
    ASSERT_TRUE(QFile::remove(inside));
  }
  EXPECT_TRUE(written_library_files().isEmpty());
}

TEST_F(RunFolder, MefFileInTheLibraryFolderWithAnotherExtensionIsAccepted) {
  const QString inside = folders_.library + "basic.mef";
  ASSERT_TRUE(QFile::copy(basic_, inside));
  EXPECT_TRUE(prepare_and_write(inside, QString(), 0).ok());
  EXPECT_EQ(file_bytes(inside), file_bytes(basic_));
}

struct StopCase {
  friend void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  const char* increments;
  bool short_mef;
  bool short_mec;
};

class RunStops : public RunFolder, public ::testing::WithParamInterface<StopCase> {};

// Any fault found in the inputs stops before the first file is written, so the files of an
// earlier run stay whole.
TEST_P(RunStops, BeforeAnyFileIsWritten) {
  const StopCase& c = GetParam();
  ASSERT_TRUE(write_bytes(folders_.wd_lis(), "earlier\r\n"));
  ASSERT_TRUE(write_bytes(folders_.library + "nlist.lis", "earlier\r\n"));
  QString mef = basic_;
  QString mec = no_loads_;
  const QString cut = dir_.filePath("modelos/cut.txt");
  ASSERT_TRUE(write_bytes(cut, file_bytes(basic_).left(400)));
  if (c.short_mef) mef = cut;
  if (c.short_mec) mec = cut;
  ProcessorOptions options;
  options.coupling = 1;
  options.increments = QString::fromLatin1(c.increments);
  Result<ProcessorInput> input = prepare_processor_input(folders_, mef, mec, options, kPoint);
  ASSERT_FALSE(input.ok());
  EXPECT_EQ(file_bytes(folders_.wd_lis()), QByteArray("earlier\r\n"));
  EXPECT_EQ(written_library_files(), QStringList{"nlist.lis"});
  if (c.short_mef || c.short_mec) {
    EXPECT_EQ(input.error().kind, ErrorKind::MissingLine);
    EXPECT_EQ(input.error().file, QFileInfo(cut).absoluteFilePath());
    EXPECT_EQ(input.error().line, 3);
  } else {
    EXPECT_EQ(input.error().value, QString::fromLatin1(c.increments));
  }
}

INSTANTIATE_TEST_SUITE_P(Faults,
                         RunStops,
                         ::testing::Values(StopCase{"bad_increments", "x20", false, false},
                                           StopCase{"short_mef", "20", true, false},
                                           StopCase{"short_mec", "20", false, true}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(RunFolder, UnencodablePathStopsBeforeAnyFileIsWritten) {
  const QString odd = dir_.filePath("modelos/\u6A21\u578B.txt");
  ASSERT_TRUE(QFile::copy(basic_, odd));
  Result<ProcessorInput> input = prepare(odd, QString(), 0);
  ASSERT_TRUE(input.ok());
  const Status s = write_processor_input(input.value(), TextEncoding::Windows1252);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.error().kind, ErrorKind::Encoding);
  EXPECT_EQ(s.error().file, folders_.wd_lis());
  EXPECT_TRUE(written_library_files().isEmpty());
  EXPECT_FALSE(QFileInfo::exists(folders_.wd_lis()));
}

TEST_F(RunFolder, FailedWriteStopsThereAndKeepsTheFilesAlreadyWritten) {
  ASSERT_TRUE(QDir().mkpath(folders_.library + "elist.lis"));  // a folder where a file goes
  const Status s = prepare_and_write(basic_, QString(), 0);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.error().kind, ErrorKind::FileWrite);
  EXPECT_EQ(s.error().file, folders_.library + "elist.lis");
  EXPECT_TRUE(QFileInfo::exists(folders_.wd_lis()));
  EXPECT_EQ(written_library_files(), (QStringList{"basic.txt", "nlist.lis"}));
}

TEST_F(RunFolder, Windows1252FilesForTheProcessor) {
  Result<ProcessorInput> input = prepare(basic_, QString(), 0);
  ASSERT_TRUE(input.ok());
  ASSERT_TRUE(write_processor_input(input.value(), TextEncoding::Windows1252).ok());
  EXPECT_TRUE(file_bytes(folders_.wd_lis())
                  .startsWith("arquivo para informar o caminho do diret\xF3rio de an\xE1lise\r\n"));
  EXPECT_EQ(library_file("nlist.lis"), file_bytes(data_path("basic.nlist.ref")));  // ASCII rows
}

TEST(WdLis, MefFileInADriveRootGivesTheRootAndASecondBackslash) {
  const QChar sep = QLatin1Char('\\');
  const Folders f = folders_of(QStringLiteral("C:\\veldra"), sep);
  const QStringList lines =
      wd_lis_lines(file_name_parts(QStringLiteral("D:\\viga.v2.txt"), sep), f, sep);
  ASSERT_EQ(lines.size(), 10);
  EXPECT_EQ(lines[3], QStringLiteral("D:\\\\"));
  EXPECT_EQ(lines[6], QStringLiteral("C:\\veldra\\programas auxiliares\\bibliotecas\\"));
  EXPECT_EQ(lines[9], QStringLiteral("viga.v2"));
}

TEST(ListFiles, HeadersAndNoteForms) {
  const QStringList rows = {"  r1", "  r2"};
  EXPECT_EQ(node_list_lines({}),
            (QStringList{"", "   NODE        X                   Y                   Z"}));
  EXPECT_EQ(element_list_lines({}),
            (QStringList{"", "    ELEM MAT TYP REL ESY SEC        NODES", ""}));
  EXPECT_EQ(element_list_lines(rows),
            (QStringList{"", "    ELEM MAT TYP REL ESY SEC        NODES", "", "  r1", "  r2"}));
  EXPECT_EQ(constraint_list_lines(rows),
            (QStringList{"", "     NODE  LABEL     REAL           IMAG", "  r1", "  r2"}));
  EXPECT_EQ(load_list_lines(rows),
            (QStringList{"", "    NODE  LABEL     REAL           IMAG", "  r1", "  r2"}));
  EXPECT_EQ(surface_load_list_lines(rows),
            (QStringList{"", " ELEMENT  LKEY     FACE NODES             REAL           IMAGINARY",
                         "  r1", "  r2"}));
  const QStringList note = {"", " *** NOTE *** "};
  EXPECT_EQ(constraint_list_lines({}), note);
  EXPECT_EQ(load_list_lines({}), note);
  EXPECT_EQ(surface_load_list_lines({}), note);
  EXPECT_EQ(note_list_lines(), note);
}

}  // namespace
}  // namespace veldra::core

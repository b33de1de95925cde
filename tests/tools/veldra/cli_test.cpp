// Runs the built veldra in temporary folders and compares what it writes with the core's own
// output and with the committed references.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "manager/core/export_conversion.h"
#include "manager/core/input_files.h"
#include "manager/core/text_file.h"
#include "test_support.h"

namespace veldra {
namespace {

using core::testing::data_path;
using core::testing::file_bytes;
using core::testing::write_bytes;

struct Outcome {
  int exit_code = -1;
  QByteArray out;
  QByteArray err;
};

Outcome veldra(const QStringList& arguments,
               const QString& folder,
               const QStringList& environment = {QStringLiteral("LC_ALL=C")}) {
  QProcess process;
  process.setProgram(QStringLiteral(VELDRA_EXECUTABLE));
  process.setArguments(arguments);
  process.setWorkingDirectory(folder);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const QString& variable : environment) {
    env.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
  }
  process.setProcessEnvironment(env);
  process.start();
  if (!process.waitForFinished(60000)) return {};
  Outcome run;
  run.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

// One line on the standard error, beginning with "veldra: ".
bool is_one_line_error(const QByteArray& err) {
  return err.startsWith("veldra: ") && err.endsWith('\n') && err.count('\n') == 1;
}

QByteArray core_model_bytes(const QString& export_file, const QString& separator) {
  core::Result<QStringList> model =
      core::convert_export_file(export_file, core::NumberFormat::with_separator(separator));
  if (!model) return "<conversion failed>";
  core::Result<QByteArray> bytes =
      core::encode_lines(model.value(), core::system_text_encoding(), QString());
  return bytes.ok() ? bytes.value() : QByteArray("<encoding failed>");
}

class Veldra : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    folders_ = core::folders_of(dir_.path());
    ASSERT_TRUE(QDir().mkpath(folders_.library));
  }

  QString path(const QString& name) const { return dir_.filePath(name); }

  // Converts a sample with the batch command into the temporary folder.
  QString converted(const QString& stem) {
    const Outcome run = veldra({"convert", data_path(stem + ".adf"), "-o", stem}, dir_.path());
    EXPECT_EQ(run.exit_code, 0) << run.err.toStdString();
    return path(stem + ".txt");
  }

  QTemporaryDir dir_;
  core::Folders folders_;
};

TEST_F(Veldra, HelpExitsZeroAndNamesBothCommands) {
  for (const QStringList& args :
       {QStringList{"--help"}, QStringList{"help", "prepare"}, QStringList{"convert", "--help"}}) {
    const Outcome run = veldra(args, dir_.path());
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_TRUE(run.out.contains("veldra ")) << run.out.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
  }
  EXPECT_TRUE(veldra({"--help"}, dir_.path()).out.contains("veldra prepare"));
}

class UsageErrors : public Veldra, public ::testing::WithParamInterface<const char*> {};

TEST_P(UsageErrors, ExitTwoWithOneLine) {
  const QStringList args =
      QString::fromUtf8(GetParam()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  const Outcome run = veldra(args, dir_.path());
  EXPECT_EQ(run.exit_code, 2) << GetParam();
  EXPECT_TRUE(is_one_line_error(run.err)) << run.err.toStdString();
  EXPECT_TRUE(run.out.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(CommandLines,
                         UsageErrors,
                         ::testing::Values("",
                                           "frobnicate",
                                           "convert",
                                           "convert a.adf b.adf",
                                           "convert a.adf --bogus",
                                           "convert a.adf -o",
                                           "prepare",
                                           "prepare --mef",
                                           "prepare --mef a --coupling x",
                                           "prepare --mef a --analysis plastica",
                                           "prepare --mef a --run=1",
                                           "prepare a.txt",
                                           "convert a.adf --decimal-separator="));

TEST_F(Veldra, ConvertWritesTheReferenceBytesAndTheCoresBytes) {
  const Outcome run = veldra({"convert", data_path("basic.adf"), "-o", "modelo.txt"}, dir_.path());
  ASSERT_EQ(run.exit_code, 0) << run.err.toStdString();
  EXPECT_EQ(file_bytes(path("modelo.txt")), file_bytes(data_path("basic.model.ref")));
  EXPECT_EQ(file_bytes(path("modelo.txt")), core_model_bytes(data_path("basic.adf"), "."));
}

TEST_F(Veldra, ConvertToStandardOutput) {
  const Outcome run = veldra({"convert", data_path("no-loads.adf")}, dir_.path());
  ASSERT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, file_bytes(data_path("no-loads.model.ref")));
}

TEST_F(Veldra, ConvertFollowsTheSaveNameRule) {
  ASSERT_EQ(veldra({"convert", data_path("basic.adf"), "-o", "viga"}, dir_.path()).exit_code, 0);
  ASSERT_EQ(
      veldra({"convert", data_path("basic.adf"), "-o", "sapata.txt.txt"}, dir_.path()).exit_code,
      0);
  EXPECT_TRUE(QFileInfo::exists(path("viga.txt")));
  EXPECT_TRUE(QFileInfo::exists(path("sapata.txt.txt")));
  EXPECT_FALSE(QFileInfo::exists(path("viga")));
}

TEST_F(Veldra, ConvertReplacesAnExistingFileOnlyWithForce) {
  ASSERT_TRUE(write_bytes(path("m.txt"), "keep"));
  Outcome run = veldra({"convert", data_path("basic.adf"), "-o", "m.txt"}, dir_.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(is_one_line_error(run.err)) << run.err.toStdString();
  EXPECT_EQ(file_bytes(path("m.txt")), QByteArray("keep"));
  run = veldra({"convert", data_path("basic.adf"), "-o", "m", "--force"}, dir_.path());
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(file_bytes(path("m.txt")), file_bytes(data_path("basic.model.ref")));
}

TEST_F(Veldra, ConvertInUserCommaLocaleAndWithTheOption) {
  const QByteArray comma = core_model_bytes(data_path("basic.adf"), ",");
  ASSERT_TRUE(comma.contains("123,45678910"));
  Outcome run = veldra({"convert", data_path("basic.adf")}, dir_.path(),
                       {"LC_ALL=pt_BR.UTF-8", "LC_NUMERIC=pt_BR.UTF-8", "LANG=pt_BR.UTF-8"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, comma);
  run = veldra({"convert", data_path("basic.adf"), "--decimal-separator", ","}, dir_.path());
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, comma);
}

TEST_F(Veldra, ConvertErrorsNameFileLineAndValueOnOneLine) {
  Outcome run = veldra({"convert", data_path("invalid.adf"), "-o", "x"}, dir_.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(QString::fromUtf8(run.err),
            QStringLiteral("veldra: %1: O arquivo de dados não se encontra no formato correto\n")
                .arg(data_path("invalid.adf")));
  EXPECT_FALSE(QFileInfo::exists(path("x.txt")));

  QByteArray bad = file_bytes(data_path("basic.adf"));
  bad.replace("       4       0       0-2.500000000E-01",
              "       4       0       0-2.5000000x0E-01");
  ASSERT_TRUE(write_bytes(path("bad.adf"), bad));
  run = veldra({"convert", "bad.adf", "-o", "x"}, dir_.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(is_one_line_error(run.err)) << run.err.toStdString();
  EXPECT_TRUE(run.err.startsWith("veldra: bad.adf:16: ")) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("\"-2.5000000x0E-01\"")) << run.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(path("x.txt")));

  run = veldra({"convert", "none.adf"}, dir_.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(run.err.startsWith("veldra: none.adf: ")) << run.err.toStdString();
}

// The batch command and the core write the same files, byte for byte.
TEST_F(Veldra, PrepareWritesTheSameBytesAsTheCore) {
  const QString mef = converted("basic");
  const QString mec = converted("no-loads");
  core::ProcessorOptions options;
  options.degree = 0;
  options.analysis = 3;
  options.coupling = 3;
  options.increments = QStringLiteral("35");
  options.force_tolerance = QStringLiteral("2.5e-4");
  core::Result<core::ProcessorInput> input = core::prepare_processor_input(
      folders_, mef, mec, options, core::NumberFormat::with_separator(","));
  ASSERT_TRUE(input.ok());
  ASSERT_TRUE(core::write_processor_input(input.value()).ok());
  std::vector<QByteArray> expected;
  for (const core::InputFile& f : input.value().files) {
    expected.push_back(file_bytes(f.path));
    ASSERT_TRUE(QFile::remove(f.path));
  }
  const Outcome run = veldra(
      {"prepare", "--start-folder", dir_.path(), "--mef", "basic.txt", "--mec", "no-loads.txt",
       "--analysis", "Elasto-Visco-Plástica", "--degree", "Quadrática", "--coupling", "MEC-Mindlin",
       "--increments", "35", "--force-tolerance", "2,5e-4", "--decimal-separator", ","},
      dir_.path());
  ASSERT_EQ(run.exit_code, 0) << run.err.toStdString();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(file_bytes(input.value().files[i].path), expected[i])
        << input.value().files[i].path.toStdString();
  }
  EXPECT_TRUE(
      expected[1].endsWith("     2        1        1       0       35      1  2,5E-004  "
                           "1,0E-005      200       1  28      0     3     1    0,00\r\n"));
  EXPECT_EQ(run.out.count('\n'), 11);  // one line a file written
}

TEST_F(Veldra, PrepareDefaultsInTheCurrentFolder) {
  const QString mef = converted("basic");
  const Outcome run = veldra({"prepare", "--mef", "basic.txt"}, dir_.path());
  ASSERT_EQ(run.exit_code, 0) << run.err.toStdString();
  EXPECT_TRUE(file_bytes(folders_.library + "basic.txt")
                  .endsWith("     3        0        0       0       20      1  1.0E-005  1.0E-005"
                            "      200       1  27      0     0     1    0.00\r\n"));
  for (const char* b : {"bnlist.lis", "belist.lis", "bdlist.lis", "bflist.lis"}) {
    EXPECT_EQ(file_bytes(folders_.library + b), QByteArray("\r\n *** NOTE *** \r\n"));
  }
}

TEST_F(Veldra, PrepareErrorsWriteNothing) {
  const QString mef = converted("basic");
  Outcome run = veldra({"prepare", "--mef", mef, "--iterations", "duzentas"}, dir_.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(is_one_line_error(run.err)) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("\"duzentas\""));
  EXPECT_FALSE(QFileInfo::exists(folders_.wd_lis()));

  ASSERT_TRUE(QFile::copy(mef, folders_.library + "basic.txt"));
  run = veldra({"prepare", "--mef", folders_.library + "basic.txt"}, dir_.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(is_one_line_error(run.err)) << run.err.toStdString();
  EXPECT_EQ(file_bytes(folders_.library + "basic.txt"), file_bytes(mef));
  EXPECT_FALSE(QFileInfo::exists(folders_.wd_lis()));

  run = veldra({"prepare", "--mef", mef, "--start-folder", path("nowhere")}, dir_.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(is_one_line_error(run.err)) << run.err.toStdString();
}

#ifndef _WIN32
// A stand-in processor: records its folder and whether the general data file is there while
// it runs, then exits with the code given.
void write_stand_in(const core::Folders& folders, int exit_code) {
  const QString script = QStringLiteral(
                             "#!/bin/sh\n"
                             "pwd > ran-in.txt\n"
                             "test -f bibliotecas/basic.txt && echo present > general-file.txt\n"
                             "exit %1\n")
                             .arg(exit_code);
  ASSERT_TRUE(write_bytes(folders.processor(), script.toUtf8()));
  ASSERT_TRUE(QFile::setPermissions(folders.processor(),
                                    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

TEST_F(Veldra, PrepareRunStartsAndAwaitsTheProcessorThenDeletesTheGeneralDataFile) {
  converted("basic");
  write_stand_in(folders_, 0);
  const Outcome run = veldra({"prepare", "--mef", "basic.txt", "--run"}, dir_.path());
  EXPECT_EQ(run.exit_code, 0) << run.err.toStdString();
  EXPECT_TRUE(run.out.endsWith("Processamento Terminado...\n"));
  EXPECT_EQ(file_bytes(folders_.auxiliary_programs + "general-file.txt"), QByteArray("present\n"));
  EXPECT_EQ(
      QFileInfo(
          QString::fromUtf8(file_bytes(folders_.auxiliary_programs + "ran-in.txt")).trimmed()),
      QFileInfo(folders_.auxiliary_programs));
  EXPECT_FALSE(QFileInfo::exists(folders_.library + "basic.txt"));
  EXPECT_TRUE(QFileInfo::exists(folders_.library + "nlist.lis"));
}

TEST_F(Veldra, PrepareRunReportsAFailedProcessor) {
  converted("basic");
  write_stand_in(folders_, 3);
  const Outcome run = veldra({"prepare", "--mef", "basic.txt", "--run"}, dir_.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(is_one_line_error(run.err)) << run.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(folders_.library + "basic.txt"));
}
#endif

TEST_F(Veldra, PrepareRunWithoutProcessorSaysSoAndDeletesTheGeneralDataFile) {
  converted("basic");
  const Outcome run = veldra({"prepare", "--mef", "basic.txt", "--run"}, dir_.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(is_one_line_error(run.err)) << run.err.toStdString();
  EXPECT_TRUE(QString::fromUtf8(run.err).contains(
      QStringLiteral("Erro ao iniciar o programa de processamento!")));
  EXPECT_FALSE(QFileInfo::exists(folders_.library + "basic.txt"));
}

}  // namespace
}  // namespace veldra

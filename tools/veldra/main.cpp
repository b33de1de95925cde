// veldra: the manager's batch commands. They call the same core as the windows, so they write
// the same bytes.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "manager/core/export_conversion.h"
#include "manager/core/folders.h"
#include "manager/core/input_files.h"
#include "manager/core/text_file.h"
#include "manager/platform/process.h"
#include "tools/veldra/command_line.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using namespace veldra;

constexpr int kInputError = 1;
constexpr int kUsageError = 2;

void print_line(std::FILE* stream, const QString& text) {
  const QByteArray bytes = text.toLocal8Bit() + '\n';
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

int fail(const core::Error& error) {
  print_line(stderr, QStringLiteral("veldra: ") + error.text());
  return kInputError;
}

core::NumberFormat number_format(const tools::CommandLine& line) {
  return line.decimal_separator ? core::NumberFormat::with_separator(*line.decimal_separator)
                                : core::NumberFormat::user();
}

int write_to_standard_output(const QByteArray& bytes) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // CR LF as written, not CR CR LF
#endif
  const auto size = static_cast<std::size_t>(bytes.size());
  if (std::fwrite(bytes.constData(), 1, size, stdout) != size || std::fflush(stdout) != 0) {
    print_line(stderr, QStringLiteral("veldra: the standard output could not be written"));
    return kInputError;
  }
  return 0;
}

int convert(const tools::CommandLine& line) {
  core::Result<QStringList> model =
      core::convert_export_file(line.export_file, number_format(line));
  if (!model) return fail(model.error());
  const core::TextEncoding encoding = core::system_text_encoding();
  if (!line.output) {
    core::Result<QByteArray> bytes = core::encode_lines(model.value(), encoding, QString());
    if (!bytes) return fail(bytes.error());
    return write_to_standard_output(bytes.value());
  }
  const QString target = core::save_target(*line.output);
  if (QFileInfo::exists(target) && !line.force) {
    return fail(core::Error{core::ErrorKind::Refused, target, 0, QString(),
                            QStringLiteral("o arquivo já existe (--force o substitui)")});
  }
  if (core::Status s = core::write_text_lines(target, model.value(), encoding); !s) {
    return fail(s.error());
  }
  print_line(stdout, target);
  return 0;
}

// Starts the processor in its own folder, awaits its end and deletes the general data file,
// whatever the outcome. Unlike the window, a processor that fails is not reported as a success.
int run_processor(const core::Folders& folders, const QString& general_data_file) {
  const platform::ProgramResult result =
      platform::runProgram(folders.processor(), folders.auxiliary_programs);
  QFile::remove(general_data_file);
  using Outcome = platform::ProgramResult::Outcome;
  switch (result.outcome) {
    case Outcome::NotStarted:
      print_line(stderr,
                 QStringLiteral("veldra: %1: Erro ao iniciar o programa de processamento! (%2)")
                     .arg(folders.processor(), result.errorText));
      return kInputError;
    case Outcome::Abandoned:
      print_line(stderr,
                 QStringLiteral("veldra: %1: a espera foi interrompida").arg(folders.processor()));
      return kInputError;
    case Outcome::Crashed:
      print_line(stdout, QStringLiteral("Processamento Terminado..."));
      print_line(stderr, QStringLiteral("veldra: %1: o processador terminou de forma anormal (%2)")
                             .arg(folders.processor(), result.errorText));
      return kInputError;
    case Outcome::Exited:
      print_line(stdout, QStringLiteral("Processamento Terminado..."));
      if (result.exitCode == 0) return 0;
      print_line(stderr, QStringLiteral("veldra: %1: o processador terminou com o código %2")
                             .arg(folders.processor())
                             .arg(result.exitCode));
      return kInputError;
  }
  return kInputError;
}

int prepare(const tools::CommandLine& line) {
  const QString start = line.start_folder.isEmpty()
                            ? QDir::currentPath()
                            : QFileInfo(line.start_folder).absoluteFilePath();
  if (!QFileInfo(start).isDir()) {
    return fail(core::Error{core::ErrorKind::FileOpen, start, 0, QString(),
                            QStringLiteral("a pasta inicial não existe")});
  }
  const core::Folders folders = core::folders_of(start);
  core::Result<core::ProcessorInput> input =
      core::prepare_processor_input(folders, line.mef, line.mec, line.options, number_format(line));
  if (!input) return fail(input.error());
  if (core::Status s = core::write_processor_input(input.value()); !s) return fail(s.error());
  for (const core::InputFile& file : input.value().files) print_line(stdout, file.path);
  std::fflush(stdout);
  return line.run ? run_processor(folders, input.value().general_data_file) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();
  tools::CommandLine line;
  try {
    line = tools::parse_command_line(arguments);
  } catch (const tools::UsageError& e) {
    print_line(
        stderr,
        QStringLiteral("veldra: %1 (see veldra --help)").arg(QString::fromStdString(e.what())));
    return kUsageError;
  }
  switch (line.command) {
    case tools::Command::Help:
      std::fputs(tools::usage_text(line.help_topic).toLocal8Bit().constData(), stdout);
      return 0;
    case tools::Command::Convert:
      return convert(line);
    case tools::Command::Prepare:
      return prepare(line);
  }
  return kUsageError;
}

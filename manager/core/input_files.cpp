#include "manager/core/input_files.h"

#include <QDir>
#include <QFileInfo>

#include "manager/core/text_file.h"

namespace veldra::core {

namespace {

const QString kNote = QStringLiteral(" *** NOTE *** ");

QStringList list_file(const QString& header, const QStringList& rows, bool note_when_empty) {
  QStringList lines{QString(), note_when_empty && rows.isEmpty() ? kNote : header};
  lines += rows;
  return lines;
}

Status refuse_overwrite(const QString& model_path, const std::vector<InputFile>& files) {
  const QFileInfo model(model_path);
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (model != QFileInfo(files[i].path)) continue;
    const QString message =
        i == 1 ? QStringLiteral(
                     "o arquivo de dados é o próprio arquivo de dados gerais desta "
                     "execução (%1), que seria substituído e depois apagado; "
                     "escolha outro nome ou outra pasta")
               : QStringLiteral(
                     "o arquivo de dados é um dos arquivos de entrada que a execução "
                     "grava (%1), e seria substituído; escolha outro nome ou outra "
                     "pasta");
    return Error{ErrorKind::Refused, model_path, 0, files[i].path, message.arg(files[i].path)};
  }
  return Done{};
}

QString absolute(const QString& path, QChar separator) {
  QString out = QFileInfo(path).absoluteFilePath();
  if (separator == QLatin1Char('\\')) out.replace(QLatin1Char('/'), separator);
  return out;
}

}  // namespace

QStringList wd_lis_lines(const FileNameParts& mef, const Folders& folders, QChar separator) {
  return {QStringLiteral("arquivo para informar o caminho do diretório de análise"),
          QStringLiteral("caminho dos arquvios gerais"),
          QStringLiteral("#"),
          mef.dir + separator,
          QStringLiteral("caminho das dlls"),
          QStringLiteral("#"),
          folders.library,
          QStringLiteral("arquivo de dados"),
          QStringLiteral("#"),
          mef.base};
}

QStringList node_list_lines(const QStringList& rows) {
  return list_file(QStringLiteral("   NODE        X                   Y                   Z"), rows,
                   false);
}

QStringList element_list_lines(const QStringList& rows) {
  QStringList lines{QString(), QStringLiteral("    ELEM MAT TYP REL ESY SEC        NODES"),
                    QString()};
  lines += rows;
  return lines;
}

QStringList constraint_list_lines(const QStringList& rows) {
  return list_file(QStringLiteral("     NODE  LABEL     REAL           IMAG"), rows, true);
}

QStringList load_list_lines(const QStringList& rows) {
  return list_file(QStringLiteral("    NODE  LABEL     REAL           IMAG"), rows, true);
}

QStringList surface_load_list_lines(const QStringList& rows) {
  return list_file(
      QStringLiteral(" ELEMENT  LKEY     FACE NODES             REAL           IMAGINARY"), rows,
      true);
}

QStringList note_list_lines() {
  return {QString(), kNote};
}

Result<ProcessorInput> prepare_processor_input(const Folders& folders,
                                               const QString& mef_path,
                                               const QString& mec_path,
                                               const ProcessorOptions& options,
                                               const NumberFormat& format,
                                               QChar separator) {
  const QString mef_file = absolute(mef_path, separator);
  Result<ModelDataFile> mef = read_model_data_file(mef_file, ModelPart::Mef);
  if (!mef) return mef.error();
  const bool with_mec = !mec_path.isEmpty() && options.boundary_element_coupling();
  const QString mec_file = with_mec ? absolute(mec_path, separator) : QString();
  Result<ModelDataFile> mec = with_mec ? read_model_data_file(mec_file, ModelPart::Mec)
                                       : Result<ModelDataFile>(ModelDataFile{});
  if (!mec) return mec.error();
  Result<GeneralData> general = read_general_data(options, format);
  if (!general) return general.error();

  const FileNameParts parts = file_name_parts(mef_file, separator);
  const QString& lib = folders.library;
  ProcessorInput input;
  input.general_data_file = lib + parts.base + QStringLiteral(".txt");
  const ModelDataFile& m = mef.value();
  const ModelDataFile& b = mec.value();
  input.files = {
      {folders.wd_lis(), wd_lis_lines(parts, folders, separator)},
      {input.general_data_file, general_data_file_lines(general.value(), format)},
      {lib + QStringLiteral("nlist.lis"), node_list_lines(m.node_rows)},
      {lib + QStringLiteral("elist.lis"), element_list_lines(m.element_rows)},
      {lib + QStringLiteral("dlist.lis"), constraint_list_lines(m.constraint_rows)},
      {lib + QStringLiteral("flist.lis"), load_list_lines(m.load_rows)},
      {lib + QStringLiteral("sflis.lis"), surface_load_list_lines(m.surface_rows)},
      {lib + QStringLiteral("bnlist.lis"),
       with_mec ? node_list_lines(b.node_rows) : note_list_lines()},
      {lib + QStringLiteral("belist.lis"),
       with_mec ? element_list_lines(b.element_rows) : note_list_lines()},
      {lib + QStringLiteral("bdlist.lis"),
       with_mec ? constraint_list_lines(b.constraint_rows) : note_list_lines()},
      {lib + QStringLiteral("bflist.lis"),
       with_mec ? load_list_lines(b.load_rows) : note_list_lines()},
  };
  if (Status s = refuse_overwrite(mef_file, input.files); !s) return s.error();
  if (with_mec) {
    if (Status s = refuse_overwrite(mec_file, input.files); !s) return s.error();
  }
  return input;
}

Status write_processor_input(const ProcessorInput& input, TextEncoding encoding) {
  std::vector<QByteArray> bytes;
  bytes.reserve(input.files.size());
  for (const InputFile& file : input.files) {
    Result<QByteArray> encoded = encode_lines(file.lines, encoding, file.path);
    if (!encoded) return encoded.error();
    bytes.push_back(std::move(encoded).value());
  }
  for (std::size_t i = 0; i < input.files.size(); ++i) {
    if (Status s = write_file_bytes(input.files[i].path, bytes[i]); !s) return s;
  }
  return Done{};
}

}  // namespace veldra::core

#include "manager/core/text_file.h"

#include <QFile>
#include <QSaveFile>

namespace veldra::core {

QStringList split_lines(const QString& text) {
  QStringList lines;
  qsizetype start = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
    lines.append(text.sliced(start, i - start));
    if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ++i;
    start = i + 1;
  }
  if (start < n) lines.append(text.sliced(start));
  return lines;
}

QString join_crlf(const QStringList& lines) {
  QString out;
  for (const QString& line : lines) out += line + QStringLiteral("\r\n");
  return out;
}

Result<QByteArray> encode_lines(const QStringList& lines,
                                TextEncoding encoding,
                                const QString& file_for_errors) {
  QByteArray out;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    qsizetype at = 0;
    std::optional<QByteArray> bytes = encode_text(lines[i], encoding, &at);
    if (!bytes) {
      const QString character = lines[i].mid(at, lines[i][at].isHighSurrogate() ? 2 : 1);
      return Error{
          ErrorKind::Encoding, file_for_errors, i + 1, character,
          QStringLiteral("o caractere \"%1\" não pode ser gravado na codificação %2")
              .arg(character, encoding == TextEncoding::Utf8 ? QStringLiteral("UTF-8")
                                                             : QStringLiteral("Windows-1252"))};
    }
    out += *bytes;
    out += "\r\n";
  }
  return out;
}

Result<QStringList> read_text_lines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return Error{ErrorKind::FileOpen, path, 0, QString(),
                 QStringLiteral("não foi possível abrir o arquivo para leitura (%1)")
                     .arg(file.errorString())};
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    return Error{ErrorKind::FileOpen, path, 0, QString(),
                 QStringLiteral("não foi possível ler o arquivo (%1)").arg(file.errorString())};
  }
  return split_lines(decode_text(bytes));
}

Status write_file_bytes(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return Error{ErrorKind::FileWrite, path, 0, QString(),
                 QStringLiteral("não foi possível criar o arquivo (%1)").arg(file.errorString())};
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    return Error{ErrorKind::FileWrite, path, 0, QString(),
                 QStringLiteral("não foi possível gravar o arquivo (%1)").arg(file.errorString())};
  }
  return Done{};
}

Status write_text_lines(const QString& path, const QStringList& lines, TextEncoding encoding) {
  Result<QByteArray> bytes = encode_lines(lines, encoding, path);
  if (!bytes) return bytes.error();
  return write_file_bytes(path, bytes.value());
}

}  // namespace veldra::core

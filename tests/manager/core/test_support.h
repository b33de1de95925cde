// Helpers of the manager core's tests: the golden files and temporary folders.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <ostream>

#include "manager/core/error.h"

namespace veldra::core::testing {

inline QString data_path(const QString& name) {
  return QStringLiteral(VELDRA_TEST_DATA "/") + name;
}

// The whole file, or a marker that makes any comparison fail.
inline QByteArray file_bytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray("<cannot read ") + path.toUtf8() + '>';
  return file.readAll();
}

inline bool write_bytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Each line with CR LF, in UTF-8.
inline QByteArray crlf_bytes(const QStringList& lines) {
  QByteArray out;
  for (const QString& line : lines) out += line.toUtf8() + "\r\n";
  return out;
}

template <typename T>
QString error_text(const Result<T>& result) {
  return result.ok() ? QStringLiteral("<no error>") : result.error().text();
}

}  // namespace veldra::core::testing

// GoogleTest prints QStrings as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) {
  *os << '"' << b.toStdString() << '"';
}
QT_END_NAMESPACE

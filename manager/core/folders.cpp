#include "manager/core/folders.h"

namespace veldra::core {

namespace {

// Windows takes both separators; elsewhere a backslash is part of a name.
QString with_separator(QString path, QChar separator) {
  if (separator == QLatin1Char('\\')) path.replace(QLatin1Char('/'), separator);
  return path;
}

// "C:" or "": the folder part of a file in a root folder once its separator is cut off.
bool is_root_without_separator(const QString& dir) {
  return dir.isEmpty() || (dir.size() == 2 && dir[1] == QLatin1Char(':') && dir[0].isLetter());
}

}  // namespace

QChar native_separator() {
#ifdef _WIN32
  return QLatin1Char('\\');
#else
  return QLatin1Char('/');
#endif
}

Folders folders_of(const QString& current_directory, QChar separator) {
  Folders f;
  f.start = with_separator(current_directory, separator);
  if (!f.start.endsWith(separator)) f.start += separator;
  f.auxiliary_files = f.start + QStringLiteral("arquivos auxiliares") + separator;
  f.auxiliary_programs = f.start + QStringLiteral("programas auxiliares") + separator;
  f.library = f.auxiliary_programs + QStringLiteral("bibliotecas") + separator;
  return f;
}

QString save_target(const QString& chosen_name) {
  const QString suffix = QStringLiteral(".txt");
  QString target = chosen_name;
  if (target.endsWith(suffix)) target.chop(suffix.size());
  return target + suffix;
}

FileNameParts file_name_parts(const QString& path, QChar separator) {
  const QString native = with_separator(path, separator);
  FileNameParts parts;
  const qsizetype cut = native.lastIndexOf(separator);
  parts.name = native.mid(cut + 1);
  parts.dir = cut < 0 ? QString() : native.left(cut);
  if (cut >= 0 && is_root_without_separator(parts.dir)) parts.dir += separator;
  const qsizetype dot = parts.name.lastIndexOf(QLatin1Char('.'));
  parts.ext = dot < 0 ? QString() : parts.name.mid(dot);
  parts.base = parts.name.left(parts.name.size() - parts.ext.size());
  return parts;
}

QStringList pathdir_lines(const Folders& folders) {
  return {QStringLiteral("Execute o seguinte comando na barra \"ANSYS Command Prompt\":"),
          QStringLiteral("/CWD,") + folders.auxiliary_files};
}

QStringList path_txt_initial_lines() {
  return {QStringLiteral("*"), QString()};
}

QStringList path_txt_search_result_lines(const QString& found) {
  return {found};
}

ShortcutCache read_shortcut_cache(const QStringList& path_txt_lines) {
  const QString first = path_txt_lines.isEmpty() ? QString() : path_txt_lines.first();
  if (first == QLatin1String("*")) return {ShortcutCache::Kind::Search, QString()};
  if (first.isEmpty()) return {ShortcutCache::Kind::NotFound, QString()};
  return {ShortcutCache::Kind::Shortcut, first};
}

}  // namespace veldra::core

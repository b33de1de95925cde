// The manager's folders and the file names built from them, the save-name rule, and the
// contents of "path.txt" and "pathdir.txt". Paths are plain strings with the platform's
// separator ("\" on Windows), as they are written into the processor's files.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace veldra::core {

QChar native_separator();

struct Folders {
  QString start;               // the current directory at start-up followed by the separator
  QString auxiliary_files;     // start + "arquivos auxiliares" + separator
  QString auxiliary_programs;  // start + "programas auxiliares" + separator
  QString library;             // auxiliary_programs + "bibliotecas" + separator

  QString export_file() const { return auxiliary_files + QStringLiteral("adatafile.adf"); }
  QString export_back_file() const { return auxiliary_files + QStringLiteral("abackfile.abf"); }
  QString path_txt() const { return auxiliary_files + QStringLiteral("path.txt"); }
  QString pathdir_txt() const { return auxiliary_files + QStringLiteral("pathdir.txt"); }
  QString index_htm() const { return auxiliary_programs + QStringLiteral("index.htm"); }
  QString wd_lis() const { return auxiliary_programs + QStringLiteral("wd.lis"); }
  QString processor() const { return auxiliary_programs + QStringLiteral("processador.exe"); }
  QString post_processor() const { return auxiliary_programs + QStringLiteral("visualizador.exe"); }
};

// The folders of a start folder given as the current directory (either separator; it is
// written with the given one). A directory that already ends in a separator (a root) gets no
// second one.
Folders folders_of(const QString& current_directory, QChar separator = native_separator());

// The save-name rule of the converted data: one final ".txt" removed if present, then ".txt"
// appended ("a" and "a.txt" give "a.txt", "a.txt.txt" gives "a.txt.txt").
QString save_target(const QString& chosen_name);

// The parts of a MEF file name that the run uses (the name with the given separator).
struct FileNameParts {
  QString dir;   // the folder part without a trailing separator, except at a root ("C:\", "/")
  QString name;  // the file name
  QString ext;   // from the last dot of the name, empty if none
  QString base;  // name without ext
};
FileNameParts file_name_parts(const QString& path, QChar separator = native_separator());

// "pathdir.txt": the command the user copies into the pre-processor.
QStringList pathdir_lines(const Folders& folders);

// "path.txt" when it is missing: "*" and one empty line.
QStringList path_txt_initial_lines();
// "path.txt" after a search: the shortcut found, or an empty line.
QStringList path_txt_search_result_lines(const QString& found);

// What the first line of "path.txt" asks for.
struct ShortcutCache {
  enum class Kind { Search, NotFound, Shortcut } kind;
  QString path;  // for Shortcut
};
ShortcutCache read_shortcut_cache(const QStringList& path_txt_lines);

}  // namespace veldra::core

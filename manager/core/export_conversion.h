// The conversion of the pre-processor's export ("adatafile.adf") into the lines of the model
// data file: what the launcher's Timer1Timer shows in RichEdit1 and the user saves.
#pragma once

#include <QString>
#include <QStringList>

#include "manager/core/error.h"
#include "manager/core/number_format.h"

namespace veldra::core {

enum class ExportCheck {
  Valid,       // a line beginning with "NUMOFF,NODE," comes first
  Invalid,     // a line that is exactly "FINISH" comes first
  Incomplete,  // the export ends with neither (still being written, or cut short)
};

// Reads from the start until the first "NUMOFF,NODE," or "FINISH" line.
ExportCheck check_export(const QStringList& lines);

// The model data file's lines (RichEdit1's lines, without line ends). Fails with
// ErrorKind::InvalidExport (message "O arquivo de dados não se encontra no formato correto")
// when check_export says Invalid, ErrorKind::IncompleteExport when the export ends before a
// line the conversion waits for, ErrorKind::BadNumber for a count, number or real that does not
// read, ErrorKind::NoFieldWidth for an element line without a field width. No partial text is
// ever returned. file_name only names the export in the errors.
Result<QStringList> convert_export(const QStringList& lines,
                                   const NumberFormat& format,
                                   const QString& file_name);

// Reads the file (either encoding) and converts it.
Result<QStringList> convert_export_file(const QString& path, const NumberFormat& format);

// The field width of an element line: the 1-based position of the first blank that follows a
// non-blank character, minus one; 0 when there is none.
qsizetype element_field_width(QStringView line);

}  // namespace veldra::core

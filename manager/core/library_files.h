// The nine library files of RadioGroup1 "Biblioteca de Arquivos" (plain text the user edits;
// the manager never interprets them) and the rule by which an editor's text is saved.
#pragma once

#include <QString>
#include <QStringList>

#include "manager/core/error.h"
#include "manager/core/folders.h"
#include "manager/core/text_codec.h"

namespace veldra::core {

// The ten items of RadioGroup1, the last one blank.
const QStringList& library_items();

// The file of items 0 to 8 ("mplist.lis" ... "posproc.lis"); empty for the blank item.
QString library_file_name(int item);

// The library path after a click on an item: the library folder plus the item's file, or, for
// the blank item (and any other), the path last opened (empty before any).
QString library_path_after_click(const Folders& folders, int item, const QString& last_path);

// The bytes of a saved editor text (library files, model data files, the converted data): the
// whole text with every line end as CR LF, followed by one more CR LF.
Result<QByteArray> editor_text_bytes(const QString& text,
                                     TextEncoding encoding,
                                     const QString& file_for_errors);

}  // namespace veldra::core

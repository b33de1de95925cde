// The processor's input files of one run (Button1Click): "wd.lis", the general data file and
// the list files, from the MEF and MEC model data files and the window's options.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "manager/core/error.h"
#include "manager/core/folders.h"
#include "manager/core/model_data_file.h"
#include "manager/core/number_format.h"
#include "manager/core/processor_options.h"
#include "manager/core/text_codec.h"

namespace veldra::core {

// "wd.lis": the analysis folder (dir of the MEF file followed by the separator), the library
// folder and the base name.
QStringList wd_lis_lines(const FileNameParts& mef, const Folders& folders, QChar separator);

// The list files: an empty line, the header, the rows. The element file has an empty line after
// its header; the constraint, load and surface-load files carry " *** NOTE *** " instead of
// their header when they have no rows.
QStringList node_list_lines(const QStringList& rows);
QStringList element_list_lines(const QStringList& rows);
QStringList constraint_list_lines(const QStringList& rows);
QStringList load_list_lines(const QStringList& rows);
QStringList surface_load_list_lines(const QStringList& rows);
// The form of the four "b" files when no MEC part is used: an empty line and " *** NOTE *** ".
QStringList note_list_lines();

struct InputFile {
  QString path;
  QStringList lines;
};

struct ProcessorInput {
  // In the order they are written: wd.lis, the general data file, nlist, elist, dlist, flist,
  // sflis, bnlist, belist, bdlist, bflist.
  std::vector<InputFile> files;
  QString general_data_file;  // deleted after the processor has ended
};

// Everything a run writes, read and checked before anything is written: the MEF file (and the
// MEC file when mec_path, Edit6, is not empty and the coupling is a boundary element one), their
// counts and rows, the options. A model data file that is one of the files the run writes (the
// general data file, base + ".txt" in the library folder, above all) is refused. Paths are made
// absolute and written with the separator.
Result<ProcessorInput> prepare_processor_input(const Folders& folders,
                                               const QString& mef_path,
                                               const QString& mec_path,
                                               const ProcessorOptions& options,
                                               const NumberFormat& format,
                                               QChar separator = native_separator());

// Encodes every file first (a character the encoding lacks stops before anything is written),
// then writes them in order, each through a temporary file renamed into place. At a failed
// write the files already written stay.
Status write_processor_input(const ProcessorInput& input,
                             TextEncoding encoding = system_text_encoding());

}  // namespace veldra::core

// A model data file (MEF or MEC) as the set-up window reads it: the five counts from the 21st
// character of lines 3 to 7, and the rows of each section by line numbers. Rows are kept
// exactly as they stand; they are never parsed.
#pragma once

#include <QString>
#include <QStringList>

#include "manager/core/error.h"

namespace veldra::core {

struct ModelCounts {
  int nn = 0;  // nodes, line 3
  int ne = 0;  // elements, line 4
  int nd = 0;  // constrained directions, line 5
  int nf = 0;  // loaded directions, line 6
  int ns = 0;  // loaded element faces, line 7
};

// Which sections must be present: the MEC part has no surface-load file, so its fifth count
// is read (it must be an integer) but its rows are not needed.
enum class ModelPart { Mef, Mec };

struct ModelDataFile {
  QString path;
  ModelCounts counts;
  QStringList node_rows;        // lines 12 .. 11+nn
  QStringList element_rows;     // lines nn+16 .. nn+15+ne
  QStringList constraint_rows;  // lines nn+ne+20 .. nn+ne+19+nd
  QStringList load_rows;        // lines nn+ne+nd+24 .. nn+ne+nd+23+nf
  QStringList surface_rows;     // lines nn+ne+nd+nf+28 .. nn+ne+nd+nf+27+ns (MEF only)
};

// Fails naming the file, the line and the value: fewer than 7 lines, a count that is not a
// decimal integer (leading blanks allowed) or is negative, or a count whose rows run past the
// end of the file. path only names the file in the errors and in the result.
Result<ModelDataFile> read_model_data(const QStringList& lines,
                                      const QString& path,
                                      ModelPart part);

Result<ModelDataFile> read_model_data_file(const QString& path, ModelPart part);

}  // namespace veldra::core

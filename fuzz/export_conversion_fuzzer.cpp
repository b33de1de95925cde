// Fuzzes the export conversion with any bytes, in both decimal separators. Beyond the
// sanitizers it checks that an error names a line of the export, and that every converted text
// reads back as a model data file with the counts of its sections.
#include <cstddef>
#include <cstdint>

#include "manager/core/export_conversion.h"
#include "manager/core/model_data_file.h"
#include "manager/core/text_codec.h"
#include "manager/core/text_file.h"

namespace {

using namespace veldra::core;

void require(bool condition) {
  if (!condition) __builtin_trap();
}

void convert_with(const QStringList& lines, const QString& separator) {
  const Result<QStringList> model =
      convert_export(lines, NumberFormat::with_separator(separator), QStringLiteral("fuzz.adf"));
  if (!model) {
    require(model.error().line >= 0 && model.error().line <= lines.size());
    require(!model.error().message.isEmpty());
    return;
  }
  const Result<ModelDataFile> read =
      read_model_data(model.value(), QStringLiteral("fuzz.txt"), ModelPart::Mef);
  require(read.ok());
  const ModelDataFile& m = read.value();
  require(m.node_rows.size() == m.counts.nn && m.element_rows.size() == m.counts.ne);
  require(m.constraint_rows.size() == m.counts.nd && m.load_rows.size() == m.counts.nf);
  require(m.surface_rows.size() == m.counts.ns);
  require(model.value().size() ==
          11 + m.counts.nn + 4 + m.counts.ne + 4 + m.counts.nd + 4 + m.counts.nf + 4 + m.counts.ns);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QStringList lines = split_lines(decode_text(bytes));
  convert_with(lines, QStringLiteral("."));
  convert_with(lines, QStringLiteral(","));
  return 0;
}

// Fuzzes the model data file reader and the text codec with any bytes. Beyond the sanitizers
// it checks that Windows-1252 keeps every byte through decoding and encoding, that an error
// names a line of the file, and that the rows read are the lines the counts give.
#include <cstddef>
#include <cstdint>

#include "manager/core/input_files.h"
#include "manager/core/model_data_file.h"
#include "manager/core/text_codec.h"
#include "manager/core/text_file.h"

namespace {

using namespace veldra::core;

void require(bool condition) {
  if (!condition) __builtin_trap();
}

void read_as(const QStringList& lines, ModelPart part) {
  const Result<ModelDataFile> model = read_model_data(lines, QStringLiteral("fuzz.txt"), part);
  if (!model) {
    require(model.error().line >= 1 && model.error().line <= lines.size() + 1);
    return;
  }
  const ModelDataFile& m = model.value();
  const qsizetype nn = m.counts.nn;
  require(m.node_rows.size() == nn && m.element_rows.size() == m.counts.ne);
  if (nn > 0) require(m.node_rows.first() == lines[11]);
  require(node_list_lines(m.node_rows).size() == nn + 2);
  require(element_list_lines(m.element_rows).size() == m.counts.ne + 3);
  require(constraint_list_lines(m.constraint_rows).size() == m.counts.nd + 2);
  if (part == ModelPart::Mef) require(m.surface_rows.size() == m.counts.ns);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::optional<QByteArray> again =
      encode_text(decode_windows1252(bytes), TextEncoding::Windows1252);
  require(again.has_value() && *again == bytes);
  const QStringList lines = split_lines(decode_text(bytes));
  read_as(lines, ModelPart::Mef);
  read_as(lines, ModelPart::Mec);
  const Result<QByteArray> encoded = encode_lines(lines, TextEncoding::Utf8, QString());
  require(encoded.ok());
  return 0;
}

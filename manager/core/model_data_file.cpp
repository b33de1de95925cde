#include "manager/core/model_data_file.h"

#include <array>
#include <optional>

#include "manager/core/number_format.h"
#include "manager/core/text_file.h"

namespace veldra::core {

namespace {

const std::array<QString, 5> kCountNames = {QStringLiteral("o número de nós"),
                                            QStringLiteral("o número de elementos"),
                                            QStringLiteral("o número de direções restritas"),
                                            QStringLiteral("o número de direções carregadas"),
                                            QStringLiteral("o número de elementos carregados")};

Result<int> read_count(const QStringList& lines, const QString& path, int line_number) {
  const QString text = lines[line_number - 1].mid(20);
  const std::optional<int> value = read_integer(text);
  const QString& name = kCountNames[static_cast<std::size_t>(line_number - 3)];
  if (!value) {
    return Error{ErrorKind::BadNumber, path, line_number, text,
                 QStringLiteral("%1 \"%2\" (a partir do caractere 21) não é um número inteiro")
                     .arg(name, text)};
  }
  if (*value < 0) {
    return Error{ErrorKind::BadNumber, path, line_number, text,
                 QStringLiteral("%1 \"%2\" é negativo").arg(name, text)};
  }
  return *value;
}

// Rows first .. first+count-1 (1-based line numbers); fails naming the count's line when the
// file ends before the last row.
Result<QStringList> rows(const QStringList& lines,
                         const QString& path,
                         qint64 first,
                         int count,
                         int count_line,
                         const QString& count_text) {
  const qint64 last = first + count - 1;
  if (count == 0) return QStringList();
  if (last > lines.size()) {
    return Error{ErrorKind::MissingLine, path, count_line, count_text,
                 QStringLiteral("a contagem \"%1\" pede as linhas %2 a %3, mas o arquivo tem %4 "
                                "linhas")
                     .arg(count_text)
                     .arg(first)
                     .arg(last)
                     .arg(lines.size())};
  }
  return lines.mid(static_cast<qsizetype>(first - 1), count);
}

}  // namespace

Result<ModelDataFile> read_model_data(const QStringList& lines,
                                      const QString& path,
                                      ModelPart part) {
  if (lines.size() < 7) {
    return Error{ErrorKind::MissingLine, path, lines.size() + 1, QString(),
                 QStringLiteral("linha ausente: o arquivo tem %1 linhas, e as contagens estão "
                                "nas linhas 3 a 7")
                     .arg(lines.size())};
  }
  std::array<int, 5> c{};
  for (int line = 3; line <= 7; ++line) {
    Result<int> value = read_count(lines, path, line);
    if (!value) return value.error();
    c[static_cast<std::size_t>(line - 3)] = value.value();
  }
  ModelDataFile model;
  model.path = path;
  model.counts = {c[0], c[1], c[2], c[3], c[4]};
  const auto text = [&](int line) { return lines[line - 1].mid(20); };
  const qint64 nn = c[0];
  const qint64 ne = c[1];
  const qint64 nd = c[2];
  const qint64 nf = c[3];
  struct Section {
    QStringList* target;
    qint64 first;
    int count;
    int count_line;
  };
  std::array<Section, 5> sections = {{{&model.node_rows, 12, c[0], 3},
                                      {&model.element_rows, nn + 16, c[1], 4},
                                      {&model.constraint_rows, nn + ne + 20, c[2], 5},
                                      {&model.load_rows, nn + ne + nd + 24, c[3], 6},
                                      {&model.surface_rows, nn + ne + nd + nf + 28, c[4], 7}}};
  const std::size_t used = part == ModelPart::Mef ? 5 : 4;
  for (std::size_t s = 0; s < used; ++s) {
    const Section& section = sections[s];
    Result<QStringList> r = rows(lines, path, section.first, section.count, section.count_line,
                                 text(section.count_line));
    if (!r) return r.error();
    *section.target = std::move(r).value();
  }
  return model;
}

Result<ModelDataFile> read_model_data_file(const QString& path, ModelPart part) {
  Result<QStringList> lines = read_text_lines(path);
  if (!lines) return lines.error();
  return read_model_data(lines.value(), path, part);
}

}  // namespace veldra::core

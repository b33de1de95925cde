#include "manager/core/export_conversion.h"

#include <optional>

#include "manager/core/text_file.h"

namespace veldra::core {

namespace {

const QString kInvalidExportMessage =
    QStringLiteral("O arquivo de dados não se encontra no formato correto");

// Lines 5 to 7 are first written as these 20-character labels and completed with the counts
// once the sections are read.
const QString kConstraintLabel = QStringLiteral("Direções Restritas :");
const QString kLoadLabel = QStringLiteral("Direções Carregadas:");
const QString kSurfaceLoadLabel = QStringLiteral("Elementos Carreg.  :");

bool begins(QStringView line, QStringView prefix) {
  return line.startsWith(prefix);
}

// The text of chars first..last (1-based, inclusive), as much of it as the line has.
QStringView chars(QStringView line, qsizetype first, qsizetype last) {
  if (first > line.size()) return {};
  return line.sliced(first - 1, std::min(last, line.size()) - first + 1);
}

class Converter {
 public:
  Converter(const QStringList& lines, const NumberFormat& format, const QString& file)
      : lines_(lines), format_(format), file_(file) {}

  Result<QStringList> run();

 private:
  // Index of the next line (0-based), or an error when the export has ended; awaited names
  // what the conversion was waiting for.
  Result<qsizetype> next_line(const QString& awaited);
  // From the next line on, the first line that begins with one of the prefixes.
  Result<qsizetype> find_line(const QStringList& prefixes);

  Result<int> integer(qsizetype index, qsizetype first, qsizetype last, const QString& what);
  Result<int> count(qsizetype index, const QString& what);
  Result<double> real(qsizetype index, qsizetype first, qsizetype last, const QString& what);

  Status counts_and_headings();
  Status nodes(int nn);
  Status elements(int ne);
  Result<qsizetype> constraints_and_loads(int& nd, int& nf);
  Result<int> surface_loads(qsizetype current);

  Error error(ErrorKind kind, qsizetype index, const QString& value, const QString& message) const {
    return Error{kind, file_, index + 1, value, message};
  }

  const QStringList& lines_;
  const NumberFormat& format_;
  const QString& file_;
  qsizetype next_ = 0;
  int nn_ = 0;
  int ne_ = 0;
  QStringList out_;
};

Result<qsizetype> Converter::next_line(const QString& awaited) {
  if (next_ >= lines_.size()) {
    return Error{ErrorKind::IncompleteExport, file_, lines_.size(), QString(),
                 QStringLiteral("o arquivo termina antes de %1").arg(awaited)};
  }
  return next_++;
}

Result<qsizetype> Converter::find_line(const QStringList& prefixes) {
  const qsizetype from = next_;
  for (; next_ < lines_.size(); ++next_) {
    for (const QString& prefix : prefixes) {
      if (begins(lines_[next_], prefix)) return next_++;
    }
  }
  return Error{ErrorKind::IncompleteExport, file_, lines_.size(), QString(),
               QStringLiteral("o arquivo termina sem uma linha que comece com \"%1\" "
                              "(procurada a partir da linha %2)")
                   .arg(prefixes.join(QStringLiteral("\", \"")))
                   .arg(from + 1)};
}

Result<int> Converter::integer(qsizetype index,
                               qsizetype first,
                               qsizetype last,
                               const QString& what) {
  const QStringView text = chars(lines_[index], first, last);
  if (std::optional<int> value = read_integer(text)) return *value;
  return error(ErrorKind::BadNumber, index, text.toString(),
               QStringLiteral("%1 \"%2\" (caracteres %3 a %4) não é um número inteiro")
                   .arg(what, text.toString())
                   .arg(first)
                   .arg(last));
}

Result<int> Converter::count(qsizetype index, const QString& what) {
  Result<int> value = integer(index, 14, 43, what);
  if (value && value.value() < 0) {
    const QString text = chars(lines_[index], 14, 43).toString();
    return error(ErrorKind::BadNumber, index, text,
                 QStringLiteral("%1 \"%2\" (caracteres 14 a 43) é negativo").arg(what, text));
  }
  return value;
}

Result<double> Converter::real(qsizetype index,
                               qsizetype first,
                               qsizetype last,
                               const QString& what) {
  const QStringView text = chars(lines_[index], first, last);
  if (std::optional<double> value = read_real(text, format_)) return *value;
  return error(ErrorKind::BadNumber, index, text.toString(),
               QStringLiteral("%1 \"%2\" (caracteres %3 a %4) não é um número real")
                   .arg(what, text.toString())
                   .arg(first)
                   .arg(last));
}

Status Converter::counts_and_headings() {
  Result<qsizetype> at = find_line({QStringLiteral("NUMOFF,NODE,")});
  if (!at) return at.error();
  Result<int> nn = count(at.value(), QStringLiteral("o número de nós"));
  if (!nn) return nn.error();
  at = find_line({QStringLiteral("NUMOFF,ELEM,")});
  if (!at) return at.error();
  Result<int> ne = count(at.value(), QStringLiteral("o número de elementos"));
  if (!ne) return ne.error();
  nn_ = nn.value();
  ne_ = ne.value();
  out_ << QStringLiteral("Arquivo de Dados - ANSYS®") << QString()
       << QStringLiteral("Número de Nós      : ") + QString::number(nn_)
       << QStringLiteral("Número de Elementos: ") + QString::number(ne_) << kConstraintLabel
       << kLoadLabel << kSurfaceLoadLabel << QString() << QStringLiteral("Coordenadas dos Nós:")
       << QString()
       << QStringLiteral(
              "      Nó                 Coord.X              Coord.Y              Coord.Z");
  return Done{};
}

Status Converter::nodes(int nn) {
  Result<qsizetype> at = find_line({QStringLiteral("NBLOCK,")});
  if (!at) return at.error();
  const QString block =
      QStringLiteral("a linha seguinte a \"NBLOCK,\" (linha %1)").arg(at.value() + 1);
  if (Result<qsizetype> skipped = next_line(block); !skipped) return skipped.error();
  for (int k = 1; k <= nn; ++k) {
    Result<qsizetype> i =
        next_line(QStringLiteral("a linha do nó %1 de %2 do bloco \"NBLOCK,\"").arg(k).arg(nn));
    if (!i) return i.error();
    const QString& line = lines_[i.value()];
    Result<int> node = integer(i.value(), 1, 8, QStringLiteral("o número do nó"));
    if (!node) return node.error();
    Result<double> x = real(i.value(), 25, 40, QStringLiteral("a coordenada X"));
    if (!x) return x.error();
    Result<double> y = line.size() >= 41 ? real(i.value(), 41, 56, QStringLiteral("a coordenada Y"))
                                         : Result<double>(0.0);
    if (!y) return y.error();
    Result<double> z = line.size() >= 57 ? real(i.value(), 57, 72, QStringLiteral("a coordenada Z"))
                                         : Result<double>(0.0);
    if (!z) return z.error();
    out_ << integer_field(node.value(), 8) + QStringLiteral("    ") +
                fixed_field(x.value(), 20, 8, format_) + QLatin1Char(' ') +
                fixed_field(y.value(), 20, 8, format_) + QLatin1Char(' ') +
                fixed_field(z.value(), 20, 8, format_);
  }
  return Done{};
}

Status Converter::elements(int ne) {
  out_ << QString() << QStringLiteral("Conectividade dos Elementos:") << QString()
       << QStringLiteral(
              "  Elem.          TS          Te         NAN         NAN       F/Dir"
              "         Nós ...");
  Result<qsizetype> at = find_line({QStringLiteral("EBLOCK,")});
  if (!at) return at.error();
  const QString block =
      QStringLiteral("a linha seguinte a \"EBLOCK,\" (linha %1)").arg(at.value() + 1);
  if (Result<qsizetype> skipped = next_line(block); !skipped) return skipped.error();
  for (int k = 1; k <= ne; ++k) {
    Result<qsizetype> i = next_line(
        QStringLiteral("a linha do elemento %1 de %2 do bloco \"EBLOCK,\"").arg(k).arg(ne));
    if (!i) return i.error();
    const QString& line = lines_[i.value()];
    const qsizetype w = element_field_width(line);
    if (w == 0) {
      return error(ErrorKind::NoFieldWidth, i.value(), line,
                   QStringLiteral("a linha de elemento \"%1\" não tem largura de campo (nenhum "
                                  "espaço depois de um caractere não branco)")
                       .arg(line));
    }
    Result<int> number =
        integer(i.value(), 10 * w + 1, 11 * w, QStringLiteral("o número do elemento (campo 11)"));
    if (!number) return number.error();
    const QStringView rest = chars(line, 11 * w + 1, line.size());
    const qsizetype rest_width = rest.size() + 12 - w;
    out_ << integer_field(number.value(), 7) + text_field(chars(line, 1, w), 12) +
                text_field(chars(line, w + 1, 2 * w), 12) +
                QStringLiteral("           0           0") +
                text_field(chars(line, 2 * w + 1, 3 * w), 12) +
                text_field(rest, static_cast<int>(std::min<qsizetype>(rest_width, 1 << 30)));
  }
  return Done{};
}

Result<qsizetype> Converter::constraints_and_loads(int& nd, int& nf) {
  const QString finish = QStringLiteral("a linha \"FINISH\"");
  out_ << QString() << QStringLiteral("Vinculação dos Nós:") << QString()
       << QStringLiteral("       Nó  Dir.             Desloc.");
  Result<qsizetype> current = find_line({QStringLiteral("D,"), QStringLiteral("F,"),
                                         QStringLiteral("SFE,"), QStringLiteral("FINISH")});
  if (!current) return current.error();
  while (begins(lines_[current.value()], u"D,")) {
    const qsizetype i = current.value();
    Result<int> node = integer(i, 3, 9, QStringLiteral("o nó da restrição"));
    if (!node) return node.error();
    Result<double> value = real(i, 16, 31, QStringLiteral("o deslocamento"));
    if (!value) return value.error();
    out_ << integer_field(node.value(), 9) + QStringLiteral("  ") +
                chars(lines_[i], 11, 14).toString() + fixed_field(value.value(), 20, 10, format_);
    ++nd;
    current = next_line(finish);
    if (!current) return current.error();
  }
  out_ << QString() << QStringLiteral("Carregamento Nodal:") << QString()
       << QStringLiteral("      Nó  Dir.             Carreg.");
  while (begins(lines_[current.value()], u"F,")) {
    const qsizetype i = current.value();
    Result<int> node = integer(i, 3, 9, QStringLiteral("o nó do carregamento"));
    if (!node) return node.error();
    Result<double> value = real(i, 16, 31, QStringLiteral("o carregamento"));
    if (!value) return value.error();
    out_ << integer_field(node.value(), 8) + QStringLiteral("  ") +
                chars(lines_[i], 11, 14).toString() + fixed_field(value.value(), 20, 8, format_);
    ++nf;
    current = next_line(finish);
    if (!current) return current.error();
  }
  return current;
}

Result<int> Converter::surface_loads(qsizetype current) {
  const QString finish = QStringLiteral("a linha \"FINISH\"");
  out_ << QString() << QStringLiteral("Carregamento Distribuído:") << QString()
       << QStringLiteral("  Elem.   NAN   NAN             Carreg.");
  int ns = 0;
  while (!begins(lines_[current], u"FINISH")) {
    if (begins(lines_[current], u"SFE,")) {
      Result<int> element = integer(current, 5, 11, QStringLiteral("o elemento do carregamento"));
      if (!element) return element.error();
      Result<qsizetype> value_line = next_line(
          QStringLiteral("a linha do valor do registro \"SFE,\" da linha %1").arg(current + 1));
      if (!value_line) return value_line.error();
      Result<double> value =
          real(value_line.value(), 1, 16, QStringLiteral("o carregamento distribuído"));
      if (!value) return value.error();
      out_ << integer_field(element.value(), 7) + QStringLiteral("     0     0") +
                  fixed_field(value.value(), 20, 10, format_);
      ++ns;
      for (int skip = 0; skip < 2; ++skip) {
        Result<qsizetype> skipped =
            next_line(QStringLiteral("as duas linhas após o valor do registro \"SFE,\" da linha %1")
                          .arg(current + 1));
        if (!skipped) return skipped.error();
      }
    }
    Result<qsizetype> next = next_line(finish);
    if (!next) return next.error();
    current = next.value();
  }
  return ns;
}

Result<QStringList> Converter::run() {
  switch (check_export(lines_)) {
    case ExportCheck::Valid:
      break;
    case ExportCheck::Invalid:
      return Error{ErrorKind::InvalidExport, file_, 0, QString(), kInvalidExportMessage};
    case ExportCheck::Incomplete:
      return Error{ErrorKind::IncompleteExport, file_, lines_.size(), QString(),
                   QStringLiteral("o arquivo termina sem as linhas \"NUMOFF,NODE,\" e \"FINISH\"")};
  }
  if (Status s = counts_and_headings(); !s) return s.error();
  if (Status s = nodes(nn_); !s) return s.error();
  if (Status s = elements(ne_); !s) return s.error();
  int nd = 0;
  int nf = 0;
  Result<qsizetype> current = constraints_and_loads(nd, nf);
  if (!current) return current.error();
  Result<int> ns = surface_loads(current.value());
  if (!ns) return ns.error();
  out_[4] = QStringLiteral("Direções Restritas : ") + QString::number(nd);
  out_[5] = QStringLiteral("Direções Carregadas: ") + QString::number(nf);
  out_[6] = QStringLiteral("Elementos Carreg.  : ") + QString::number(ns.value());
  return std::move(out_);
}

}  // namespace

ExportCheck check_export(const QStringList& lines) {
  for (const QString& line : lines) {
    if (line.startsWith(u"NUMOFF,NODE,")) return ExportCheck::Valid;
    if (line == u"FINISH") return ExportCheck::Invalid;
  }
  return ExportCheck::Incomplete;
}

qsizetype element_field_width(QStringView line) {
  qsizetype i = 0;
  while (i < line.size() && line[i] == QLatin1Char(' ')) ++i;
  if (i == line.size()) return 0;
  while (i < line.size() && line[i] != QLatin1Char(' ')) ++i;
  return i < line.size() ? i : 0;
}

Result<QStringList> convert_export(const QStringList& lines,
                                   const NumberFormat& format,
                                   const QString& file_name) {
  return Converter(lines, format, file_name).run();
}

Result<QStringList> convert_export_file(const QString& path, const NumberFormat& format) {
  Result<QStringList> lines = read_text_lines(path);
  if (!lines) return lines.error();
  return convert_export(lines.value(), format, path);
}

}  // namespace veldra::core

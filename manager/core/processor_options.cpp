#include "manager/core/processor_options.h"

#include <optional>

namespace veldra::core {

namespace {

Error field_error(const QString& label, const QString& text, const QString& what) {
  return Error{ErrorKind::BadNumber, QString(), 0, text,
               QStringLiteral("%1: \"%2\" não é %3").arg(label, text, what)};
}

Error item_error(const QString& group, int index) {
  return Error{ErrorKind::Refused, QString(), 0, QString::number(index),
               QStringLiteral("%1: não há item %2").arg(group).arg(index)};
}

}  // namespace

const QStringList& analysis_items() {
  static const QStringList items = {QStringLiteral("Elástica"), QStringLiteral("Elasto-Plástica"),
                                    QStringLiteral("Visco-Elástica"),
                                    QStringLiteral("Elasto-Visco-Plástica")};
  return items;
}

const QStringList& degree_items() {
  static const QStringList items = {QStringLiteral("Quadrática"), QStringLiteral("Cúbica")};
  return items;
}

const QStringList& coupling_items() {
  static const QStringList items = {QStringLiteral("MEF"), QStringLiteral("MEC-Kelvin"),
                                    QStringLiteral("MEC-Boussinesq/Cerruti"),
                                    QStringLiteral("MEC-Mindlin")};
  return items;
}

Result<GeneralData> read_general_data(const ProcessorOptions& options, const NumberFormat& format) {
  if (options.analysis < 0 || options.analysis > 3) {
    return item_error(QStringLiteral("Tipo de Análise"), options.analysis);
  }
  if (options.degree < 0 || options.degree > 1) {
    return item_error(QStringLiteral("Grau de Aproximação"), options.degree);
  }
  if (options.coupling < 0 || options.coupling > 3) {
    return item_error(QStringLiteral("Acoplamento"), options.coupling);
  }
  GeneralData data;
  data.codes.naprox = options.degree == 0 ? 2 : 3;
  data.codes.analise = options.analysis % 2;
  data.codes.viscosa = options.analysis / 2;
  data.codes.ma = options.coupling == 0 ? 27 : 28;
  data.codes.tmec = options.coupling;
  const QString integer = QStringLiteral("um número inteiro");
  const QString real = QStringLiteral("um número real");
  const std::optional<int> nincrem = read_integer(options.increments);
  if (!nincrem)
    return field_error(QStringLiteral("Número de Incrementos"), options.increments, integer);
  const std::optional<int> maxiter = read_integer(options.iterations);
  if (!maxiter)
    return field_error(QStringLiteral("Máximo de Iterações"), options.iterations, integer);
  const std::optional<double> tolf = read_real(options.force_tolerance, format);
  if (!tolf)
    return field_error(QStringLiteral("Tolerância em Força"), options.force_tolerance, real);
  const std::optional<double> told = read_real(options.displacement_tolerance, format);
  if (!told) {
    return field_error(QStringLiteral("Tolerância em Desloc."), options.displacement_tolerance,
                       real);
  }
  data.nincrem = *nincrem;
  data.maxiter = *maxiter;
  data.tolf = *tolf;
  data.told = *told;
  return data;
}

QString value_line(const GeneralData& d, const NumberFormat& format) {
  const QString gap = QStringLiteral("  ");
  // tnorm, tolf and told follow one another with no separator.
  return integer_field(d.codes.naprox, 6) + gap + integer_field(d.codes.analise, 7) + gap +
         integer_field(d.codes.viscosa, 7) + gap + integer_field(0, 6) + gap +
         integer_field(d.nincrem, 7) + gap + integer_field(1, 5) +
         exponent_field(d.tolf, 10, format) + exponent_field(d.told, 10, format) + gap +
         integer_field(d.maxiter, 7) + gap + integer_field(1, 6) + gap +
         integer_field(d.codes.ma, 2) + gap + integer_field(0, 5) + gap +
         integer_field(d.codes.tmec, 4) + gap + integer_field(1, 4) + gap +
         fixed_field(0.0, 6, 2, format);
}

QStringList general_data_file_lines(const GeneralData& data, const NumberFormat& format) {
  return {QStringLiteral("arquivo de entrada de dados geral"),
          QString(),
          QStringLiteral("dados gerais para o problema"),
          QString(),
          QStringLiteral("naprox  analise  viscosa  modelo  nincrem  tnorm      tolf      told  "
                         "maxiter  dpsurf  MA  refin  TMEC  tpto  fatpto"),
          QStringLiteral("#"),
          value_line(data, format)};
}

}  // namespace veldra::core

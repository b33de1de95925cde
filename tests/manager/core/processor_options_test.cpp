#include "manager/core/processor_options.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace veldra::core {
namespace {

using testing::error_text;

const NumberFormat kPoint = NumberFormat::with_separator(QStringLiteral("."));
const QString kHeader = QStringLiteral(
    "naprox  analise  viscosa  modelo  nincrem  tnorm      tolf      told  maxiter  dpsurf  MA  "
    "refin  TMEC  tpto  fatpto");

QString line_for(const ProcessorOptions& options, const NumberFormat& format = kPoint) {
  Result<GeneralData> data = read_general_data(options, format);
  EXPECT_TRUE(data.ok()) << error_text(data).toStdString();
  return data.ok() ? value_line(data.value(), format) : QString();
}

TEST(ValueLine, DefaultsGiveTheDocumentedLine) {
  const QString line = line_for(ProcessorOptions{});
  EXPECT_EQ(line, QStringLiteral("     3        0        0       0       20      1  1.0E-005  "
                                 "1.0E-005      200       1  27      0     0     1    0.00"));
  EXPECT_EQ(line.size(), 116);
  EXPECT_EQ(line.size(), kHeader.size());
}

TEST(ValueLine, QuadraticElastoViscoPlasticMindlin) {
  ProcessorOptions options;
  options.degree = 0;
  options.analysis = 3;
  options.coupling = 3;
  EXPECT_EQ(line_for(options),
            QStringLiteral("     2        1        1       0       20      1  1.0E-005  "
                           "1.0E-005      200       1  28      0     3     1    0.00"));
}

TEST(ValueLine, EachValueEndsUnderTheLastLetterOfItsName) {
  ProcessorOptions options;
  options.increments = QStringLiteral("7");
  options.iterations = QStringLiteral("9");
  const QString line = line_for(options);
  ASSERT_EQ(line.size(), kHeader.size());
  for (qsizetype i = 0; i < kHeader.size(); ++i) {
    const bool name_ends = kHeader[i] != QLatin1Char(' ') &&
                           (i + 1 == kHeader.size() || kHeader[i + 1] == QLatin1Char(' '));
    if (!name_ends) continue;
    EXPECT_NE(line[i], QLatin1Char(' ')) << "column " << i;
    if (i + 1 < line.size()) {
      EXPECT_EQ(line[i + 1], QLatin1Char(' ')) << "column " << i + 1;
    }
  }
}

TEST(ValueLine, CommaLocaleWritesCommasAndReadsBothSeparators) {
  ProcessorOptions options;
  options.force_tolerance = QStringLiteral("2,5e-3");
  options.displacement_tolerance = QStringLiteral("1.e-5");  // the window's default text
  EXPECT_EQ(line_for(options, NumberFormat::with_separator(QStringLiteral(","))),
            QStringLiteral("     3        0        0       0       20      1  2,5E-003  "
                           "1,0E-005      200       1  27      0     0     1    0,00"));
}

struct CodesCase {
  friend void PrintTo(const CodesCase& c, std::ostream* os) {
    *os << c.analysis << "," << c.degree << "," << c.coupling;
  }
  int analysis;
  int degree;
  int coupling;
  AnalysisCodes codes;
};

class Codes : public ::testing::TestWithParam<CodesCase> {};

TEST_P(Codes, RadioGroupsCarryTheirCodes) {
  ProcessorOptions options;
  options.analysis = GetParam().analysis;
  options.degree = GetParam().degree;
  options.coupling = GetParam().coupling;
  Result<GeneralData> data = read_general_data(options, kPoint);
  ASSERT_TRUE(data.ok());
  const AnalysisCodes& got = data.value().codes;
  const AnalysisCodes& want = GetParam().codes;
  EXPECT_EQ(got.naprox, want.naprox);
  EXPECT_EQ(got.analise, want.analise);
  EXPECT_EQ(got.viscosa, want.viscosa);
  EXPECT_EQ(got.ma, want.ma);
  EXPECT_EQ(got.tmec, want.tmec);
}

INSTANTIATE_TEST_SUITE_P(Choices,
                         Codes,
                         ::testing::Values(CodesCase{0, 1, 0, {3, 0, 0, 27, 0}},
                                           CodesCase{1, 0, 1, {2, 1, 0, 28, 1}},
                                           CodesCase{2, 1, 2, {3, 0, 1, 28, 2}},
                                           CodesCase{3, 0, 3, {2, 1, 1, 28, 3}}));

struct FieldCase {
  friend void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  const char* increments;
  const char* iterations;
  const char* force;
  const char* displacement;
  const char* label;
  const char* value;
};

class BadField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(BadField, StopsNamingTheFieldAndItsValue) {
  const FieldCase& c = GetParam();
  ProcessorOptions options;
  options.increments = QString::fromUtf8(c.increments);
  options.iterations = QString::fromUtf8(c.iterations);
  options.force_tolerance = QString::fromUtf8(c.force);
  options.displacement_tolerance = QString::fromUtf8(c.displacement);
  Result<GeneralData> data = read_general_data(options, kPoint);
  ASSERT_FALSE(data.ok());
  EXPECT_EQ(data.error().kind, ErrorKind::BadNumber);
  EXPECT_EQ(data.error().value, QString::fromUtf8(c.value));
  EXPECT_TRUE(data.error().message.startsWith(QString::fromUtf8(c.label)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    BadField,
    ::testing::Values(
        FieldCase{"increments", "vinte", "200", "1.e-5", "1.e-5", "Número de Incrementos", "vinte"},
        FieldCase{"increments_real", "2.5", "200", "1.e-5", "1.e-5", "Número de Incrementos",
                  "2.5"},
        FieldCase{"iterations", "20", "", "1.e-5", "1.e-5", "Máximo de Iterações", ""},
        FieldCase{"force", "20", "200", "1e-5x", "1.e-5", "Tolerância em Força", "1e-5x"},
        FieldCase{"displacement", "20", "200", "1.e-5", "abc", "Tolerância em Desloc.", "abc"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(ProcessorOptions, ItemIndexOutOfRangeIsRefused) {
  ProcessorOptions options;
  options.coupling = 4;
  EXPECT_FALSE(read_general_data(options, kPoint).ok());
}

TEST(GeneralDataFile, SevenLines) {
  Result<GeneralData> data = read_general_data(ProcessorOptions{}, kPoint);
  ASSERT_TRUE(data.ok());
  const QStringList lines = general_data_file_lines(data.value(), kPoint);
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[0], QStringLiteral("arquivo de entrada de dados geral"));
  EXPECT_EQ(lines[1], QString());
  EXPECT_EQ(lines[2], QStringLiteral("dados gerais para o problema"));
  EXPECT_EQ(lines[3], QString());
  EXPECT_EQ(lines[4], kHeader);
  EXPECT_EQ(lines[5], QStringLiteral("#"));
  EXPECT_EQ(lines[6], value_line(data.value(), kPoint));
}

TEST(ProcessorOptions, ItemCaptions) {
  EXPECT_EQ(
      analysis_items(),
      (QStringList{QStringLiteral("Elástica"), QStringLiteral("Elasto-Plástica"),
                   QStringLiteral("Visco-Elástica"), QStringLiteral("Elasto-Visco-Plástica")}));
  EXPECT_EQ(degree_items(), (QStringList{QStringLiteral("Quadrática"), QStringLiteral("Cúbica")}));
  EXPECT_EQ(coupling_items(),
            (QStringList{QStringLiteral("MEF"), QStringLiteral("MEC-Kelvin"),
                         QStringLiteral("MEC-Boussinesq/Cerruti"), QStringLiteral("MEC-Mindlin")}));
}

}  // namespace
}  // namespace veldra::core

#include "manager/core/export_conversion.h"

#include <gtest/gtest.h>

#include "manager/core/text_codec.h"
#include "manager/core/text_file.h"
#include "test_support.h"

namespace veldra::core {
namespace {

using testing::crlf_bytes;
using testing::data_path;
using testing::error_text;
using testing::file_bytes;

const NumberFormat kPoint = NumberFormat::with_separator(QStringLiteral("."));
const NumberFormat kComma = NumberFormat::with_separator(QStringLiteral(","));

QStringList data_lines(const QString& name) {
  return split_lines(decode_text(file_bytes(data_path(name))));
}

// A one-node, one-element export with the given element line and the records after it.
QStringList small_export(const QString& element_line, const QStringList& tail = {"FINISH"}) {
  QStringList lines = {QStringLiteral("NUMOFF,NODE,       1"),
                       QStringLiteral("NUMOFF,ELEM,       1"),
                       QStringLiteral("NBLOCK,6,SOLID"),
                       QStringLiteral("(3i8,6e16.9)"),
                       QStringLiteral("       1       0       0 1.0"),
                       QStringLiteral("EBLOCK,19,SOLID"),
                       QStringLiteral("(19i8)"),
                       element_line};
  return lines + tail;
}

// Lines 1 .. 11+nn+4 are the counts, the nodes and the element headings.
QString element_row(const QStringList& model) {
  return model[16];
}

struct GoldenCase {
  friend void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  const char* exported;
  const char* reference;
};

class ConversionGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(ConversionGolden, ModelDataFileBytesMatchTheReference) {
  Result<QStringList> model = convert_export_file(data_path(GetParam().exported), kPoint);
  ASSERT_TRUE(model.ok()) << error_text(model).toStdString();
  EXPECT_EQ(crlf_bytes(model.value()), file_bytes(data_path(GetParam().reference)));
}

INSTANTIATE_TEST_SUITE_P(Samples,
                         ConversionGolden,
                         ::testing::Values(GoldenCase{"basic", "basic.adf", "basic.model.ref"},
                                           GoldenCase{"no_loads_crlf", "no-loads.adf",
                                                      "no-loads.model.ref"}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(Conversion, NoConstraintsLoadsOrFacesGiveZeroCountsAndHeadingsOnly) {
  Result<QStringList> model = convert_export(data_lines("no-loads.adf"), kPoint, "no-loads.adf");
  ASSERT_TRUE(model.ok()) << error_text(model).toStdString();
  const QStringList& m = model.value();
  EXPECT_EQ(m[4], QStringLiteral("Direções Restritas : 0"));
  EXPECT_EQ(m[5], QStringLiteral("Direções Carregadas: 0"));
  EXPECT_EQ(m[6], QStringLiteral("Elementos Carreg.  : 0"));
  EXPECT_EQ(m.last(), QStringLiteral("  Elem.   NAN   NAN             Carreg."));
}

TEST(Conversion, CommaLocaleReadsThePointExportAndWritesCommasInRowsOnly) {
  const QStringList point = data_lines("basic.model.ref");
  Result<QStringList> comma = convert_export(data_lines("basic.adf"), kComma, "basic.adf");
  ASSERT_TRUE(comma.ok()) << error_text(comma).toStdString();
  ASSERT_EQ(comma.value().size(), point.size());
  // Rows: nodes 12..18, constraints 30..33, loads 38..39, faces 44..45 (1-based).
  const auto is_real_row = [](qsizetype line) {
    return (line >= 12 && line <= 18) || (line >= 30 && line <= 33) || (line >= 38 && line <= 39) ||
           (line >= 44 && line <= 45);
  };
  for (qsizetype i = 0; i < point.size(); ++i) {
    QString expected = point[i];
    if (is_real_row(i + 1)) expected.replace(QLatin1Char('.'), QLatin1Char(','));
    EXPECT_EQ(comma.value()[i], expected) << "line " << i + 1;
  }
}

TEST(Conversion, Windows1252ExportConvertsLikeUtf8) {
  QByteArray bytes = file_bytes(data_path("basic.adf"));
  bytes.prepend("/COM,Funda\xE7\xE3o em solo\n");  // ção in Windows-1252
  Result<QStringList> model = convert_export(split_lines(decode_text(bytes)), kPoint, "x.adf");
  ASSERT_TRUE(model.ok()) << error_text(model).toStdString();
  EXPECT_EQ(crlf_bytes(model.value()), file_bytes(data_path("basic.model.ref")));
}

TEST(Conversion, FinishBeforeNodeCountIsTheInvalidExport) {
  Result<QStringList> model = convert_export_file(data_path("invalid.adf"), kPoint);
  ASSERT_FALSE(model.ok());
  EXPECT_EQ(model.error().kind, ErrorKind::InvalidExport);
  EXPECT_EQ(model.error().message,
            QStringLiteral("O arquivo de dados não se encontra no formato correto"));
}

struct CheckCase {
  friend void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  QStringList lines;
  ExportCheck check;
};

class Check : public ::testing::TestWithParam<CheckCase> {};

TEST_P(Check, FirstNodeCountOrExactFinishDecides) {
  EXPECT_EQ(check_export(GetParam().lines), GetParam().check);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    Check,
    ::testing::Values(
        CheckCase{"node_count_first", {"/PREP7", "NUMOFF,NODE,  2", "FINISH"}, ExportCheck::Valid},
        CheckCase{"finish_first", {"FINISH", "NUMOFF,NODE,  2"}, ExportCheck::Invalid},
        // Only the exact line "FINISH" makes the check fail.
        CheckCase{"finish_with_more", {"FINISH ", "NUMOFF,NODE,  2"}, ExportCheck::Valid},
        CheckCase{"neither", {"/PREP7", "NBLOCK,"}, ExportCheck::Incomplete},
        CheckCase{"empty", {}, ExportCheck::Incomplete}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

// Regression: scans that ran off the end of the file returned the text built so far.
TEST(Conversion, ExportCutAnywhereBeforeFinishIsAnErrorNeverAPartialText) {
  const QStringList full = data_lines("basic.adf");
  ASSERT_TRUE(convert_export(full, kPoint, "basic.adf").ok());
  for (qsizetype k = 0; k + 1 < full.size(); ++k) {
    Result<QStringList> model = convert_export(full.mid(0, k), kPoint, "basic.adf");
    ASSERT_FALSE(model.ok()) << "cut after line " << k;
    EXPECT_EQ(model.error().kind, ErrorKind::IncompleteExport) << "cut after line " << k;
    EXPECT_EQ(model.error().line, k) << "cut after line " << k;
    EXPECT_EQ(model.error().file, QStringLiteral("basic.adf"));
  }
}

TEST(Conversion, ExportEndingBeforeTheElementCountNamesTheKeyword) {
  Result<QStringList> model =
      convert_export({QStringLiteral("NUMOFF,NODE,  1"), QStringLiteral("x")}, kPoint, "a.adf");
  ASSERT_FALSE(model.ok());
  EXPECT_EQ(model.error().text(),
            QStringLiteral("a.adf:2: o arquivo termina sem uma linha que comece com "
                           "\"NUMOFF,ELEM,\" (procurada a partir da linha 2)"));
}

struct WidthCase {
  friend void PrintTo(const WidthCase& c, std::ostream* os) { *os << '"' << c.line << '"'; }
  const char* line;
  qsizetype width;
};

class FieldWidth : public ::testing::TestWithParam<WidthCase> {};

TEST_P(FieldWidth, FirstBlankAfterANonBlankMinusOne) {
  EXPECT_EQ(element_field_width(QString::fromLatin1(GetParam().line)), GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         FieldWidth,
                         ::testing::Values(WidthCase{"       1       2", 8},
                                           WidthCase{"        1        2", 9},
                                           WidthCase{"1 2", 1},
                                           WidthCase{"  12  3", 4},
                                           WidthCase{"12345", 0},
                                           WidthCase{"    12345", 0},
                                           WidthCase{"", 0},
                                           WidthCase{"     ", 0}));

// Regression: an element line with no field width to find was cut with a width of -1.
TEST(Conversion, ElementLineWithoutFieldWidthIsAnErrorNamingTheLine) {
  Result<QStringList> model =
      convert_export(small_export(QStringLiteral("12345678")), kPoint, "e.adf");
  ASSERT_FALSE(model.ok());
  EXPECT_EQ(model.error().kind, ErrorKind::NoFieldWidth);
  EXPECT_EQ(model.error().line, 8);
  EXPECT_EQ(model.error().value, QStringLiteral("12345678"));
  EXPECT_TRUE(model.error().text().startsWith(QStringLiteral("e.adf:8: ")));
}

struct ElementCase {
  friend void PrintTo(const ElementCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  int width;
  const char* row;
};

class ElementRow : public ::testing::TestWithParam<ElementCase> {};

TEST_P(ElementRow, NodeTextIsWidenedToTwelveCharacters) {
  const int w = GetParam().width;
  QString line;
  for (int field = 1; field <= 13; ++field) {
    line += QString::number(field == 11 ? 42 : field).rightJustified(w, QLatin1Char(' '));
  }
  Result<QStringList> model = convert_export(small_export(line), kPoint, "e.adf");
  ASSERT_TRUE(model.ok()) << error_text(model).toStdString();
  EXPECT_EQ(element_row(model.value()), QString::fromLatin1(GetParam().row));
}

INSTANTIATE_TEST_SUITE_P(
    Widths,
    ElementRow,
    ::testing::Values(
        ElementCase{"w8", 8,
                    "     42           1           2           0           0           3"
                    "          12      13"},
        ElementCase{"w9", 9,
                    "     42           1           2           0           0           3"
                    "          12       13"},
        ElementCase{"w12", 12,
                    "     42           1           2           0           0           3"
                    "          12          13"},
        // Wider than 12: the fields and the node text stay whole.
        ElementCase{"w14", 14,
                    "     42             1             2           0           0             3"
                    "            12            13"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(Conversion, ElementNumberThatIsNotAnIntegerNamesLineAndValue) {
  Result<QStringList> model =
      convert_export(small_export(QStringLiteral("       1       1       1")), kPoint, "e.adf");
  ASSERT_FALSE(model.ok());
  EXPECT_EQ(model.error().kind, ErrorKind::BadNumber);
  EXPECT_EQ(model.error().line, 8);
  EXPECT_EQ(model.error().value, QString());  // field 11 lies past the end of the line
}

struct BadNumberCase {
  friend void PrintTo(const BadNumberCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  qsizetype line;  // 1-based line to replace in the basic export
  const char* text;
  const char* value;
};

class BadNumber : public ::testing::TestWithParam<BadNumberCase> {};

TEST_P(BadNumber, ErrorNamesFileLineAndValue) {
  QStringList lines = data_lines("basic.adf");
  const BadNumberCase& c = GetParam();
  lines[c.line - 1] = QString::fromLatin1(c.text);
  Result<QStringList> model = convert_export(lines, kPoint, "basic.adf");
  ASSERT_FALSE(model.ok());
  EXPECT_EQ(model.error().kind, ErrorKind::BadNumber);
  EXPECT_EQ(model.error().file, QStringLiteral("basic.adf"));
  EXPECT_EQ(model.error().line, c.line);
  EXPECT_EQ(model.error().value, QString::fromLatin1(c.value));
  EXPECT_TRUE(model.error().message.contains(QString::fromLatin1(c.value)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    BadNumber,
    ::testing::Values(BadNumberCase{"node_count", 8, "NUMOFF,NODE,   seven", "  seven"},
                      BadNumberCase{"negative_element_count", 9, "NUMOFF,ELEM,      -3", "     -3"},
                      BadNumberCase{"node_number", 14, "       x       0       0 1.0", "       x"},
                      BadNumberCase{"short_node_line", 14, "       2       0", ""},
                      BadNumberCase{"x", 14, "       2       0       0 1.0.0", " 1.0.0"},
                      BadNumberCase{"y_blank", 14, "       2       0       0             1.0 ",
                                    " "},
                      BadNumberCase{"constraint_value", 31, "D,      1,UY  , zero           ,",
                                    " zero           "},
                      BadNumberCase{"load_node", 34, "F,     x5,FX  , 1000.00000     ,", "     x5"},
                      BadNumberCase{"face_value", 40, "     -50.00000x0", "     -50.00000x0"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace veldra::core

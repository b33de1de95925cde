#include "manager/core/model_data_file.h"

#include <gtest/gtest.h>

#include "manager/core/text_codec.h"
#include "manager/core/text_file.h"
#include "test_support.h"

namespace veldra::core {
namespace {

using testing::data_path;
using testing::error_text;
using testing::file_bytes;

QStringList basic_model() {
  return split_lines(decode_text(file_bytes(data_path("basic.model.ref"))));
}

TEST(ModelDataFile, CountsAndRowRangesOfTheConvertedSample) {
  const QStringList lines = basic_model();
  Result<ModelDataFile> model = read_model_data(lines, "basic.txt", ModelPart::Mef);
  ASSERT_TRUE(model.ok()) << error_text(model).toStdString();
  const ModelDataFile& m = model.value();
  EXPECT_EQ(m.counts.nn, 7);
  EXPECT_EQ(m.counts.ne, 3);
  EXPECT_EQ(m.counts.nd, 4);
  EXPECT_EQ(m.counts.nf, 2);
  EXPECT_EQ(m.counts.ns, 2);
  EXPECT_EQ(m.node_rows, lines.mid(11, 7));
  EXPECT_EQ(m.element_rows, lines.mid(7 + 15, 3));
  EXPECT_EQ(m.constraint_rows, lines.mid(7 + 3 + 19, 4));
  EXPECT_EQ(m.load_rows, lines.mid(7 + 3 + 4 + 23, 2));
  EXPECT_EQ(m.surface_rows, lines.mid(7 + 3 + 4 + 2 + 27, 2));
  EXPECT_TRUE(m.node_rows.first().startsWith(QStringLiteral("       1    ")));
  EXPECT_TRUE(m.surface_rows.last().startsWith(QStringLiteral("      1     0     0")));
}

TEST(ModelDataFile, CountIsReadFromThe21stCharacter) {
  QStringList lines = basic_model();
  lines[2] = QStringLiteral("Número de Nós     : 7");  // the count is the 21st character
  EXPECT_TRUE(read_model_data(lines, "m.txt", ModelPart::Mef).ok());
  lines[2] = QStringLiteral("Nodes:              7");
  EXPECT_TRUE(read_model_data(lines, "m.txt", ModelPart::Mef).ok());
}

TEST(ModelDataFile, MecPartDoesNotNeedItsSurfaceRowsButReadsItsFifthCount) {
  QStringList lines = basic_model();
  lines.removeLast();
  EXPECT_FALSE(read_model_data(lines, "m.txt", ModelPart::Mef).ok());
  EXPECT_TRUE(read_model_data(lines, "m.txt", ModelPart::Mec).ok());
  lines[6] = QStringLiteral("Elementos Carreg.  : dois");
  Result<ModelDataFile> mec = read_model_data(lines, "m.txt", ModelPart::Mec);
  ASSERT_FALSE(mec.ok());
  EXPECT_EQ(mec.error().line, 7);
}

TEST(ModelDataFile, ZeroCountsAtTheEndNeedNoLines) {
  QStringList lines = basic_model();
  lines[6] = QStringLiteral("Elementos Carreg.  : 0");
  lines = lines.mid(0, lines.size() - 2);  // the two face rows
  lines = lines.mid(0, lines.size() - 4);  // and the face headings
  Result<ModelDataFile> model = read_model_data(lines, "m.txt", ModelPart::Mef);
  ASSERT_TRUE(model.ok()) << error_text(model).toStdString();
  EXPECT_TRUE(model.value().surface_rows.isEmpty());
}

struct FaultCase {
  friend void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }
  const char* name;
  int line;          // 1-based line to replace; 0 to keep all
  const char* text;  // its new text
  int keep;          // lines kept; -1 for all
  ErrorKind kind;
  qint64 error_line;
  const char* error_value;
};

class ModelDataFileFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ModelDataFileFault, StopsNamingFileLineAndValue) {
  const FaultCase& c = GetParam();
  QStringList lines = basic_model();
  if (c.line > 0) lines[c.line - 1] = QString::fromUtf8(c.text);
  if (c.keep >= 0) lines = lines.mid(0, c.keep);
  Result<ModelDataFile> model = read_model_data(lines, "mef.txt", ModelPart::Mef);
  ASSERT_FALSE(model.ok());
  EXPECT_EQ(model.error().kind, c.kind);
  EXPECT_EQ(model.error().file, QStringLiteral("mef.txt"));
  EXPECT_EQ(model.error().line, c.error_line);
  EXPECT_EQ(model.error().value, QString::fromUtf8(c.error_value));
  EXPECT_TRUE(model.error().text().startsWith(QStringLiteral("mef.txt:%1: ").arg(c.error_line)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ModelDataFileFault,
    ::testing::Values(
        FaultCase{"six_lines", 0, "", 6, ErrorKind::MissingLine, 7, ""},
        FaultCase{"empty_file", 0, "", 0, ErrorKind::MissingLine, 1, ""},
        FaultCase{"count_not_integer", 5, "Direções Restritas : quatro", -1, ErrorKind::BadNumber,
                  5, " quatro"},
        FaultCase{"count_real", 3, "Número de Nós      : 7.0", -1, ErrorKind::BadNumber, 3, " 7.0"},
        FaultCase{"count_trailing_blank", 4, "Número de Elementos: 3 ", -1, ErrorKind::BadNumber, 4,
                  " 3 "},
        FaultCase{"count_missing", 6, "Direções Carregadas:", -1, ErrorKind::BadNumber, 6, ""},
        FaultCase{"count_negative", 3, "Número de Nós      : -1", -1, ErrorKind::BadNumber, 3,
                  " -1"},
        FaultCase{"nodes_past_end", 3, "Número de Nós      : 2000", -1, ErrorKind::MissingLine, 3,
                  " 2000"},
        FaultCase{"elements_past_end", 4, "Número de Elementos: 40", -1, ErrorKind::MissingLine, 4,
                  " 40"},
        FaultCase{"faces_past_end", 0, "", 44, ErrorKind::MissingLine, 7, " 2"},
        FaultCase{"huge_count", 7, "Elementos Carreg.  : 2147483647", -1, ErrorKind::MissingLine, 7,
                  " 2147483647"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(ModelDataFile, MissingFileIsAnOpenError) {
  Result<ModelDataFile> model = read_model_data_file(data_path("none.txt"), ModelPart::Mef);
  ASSERT_FALSE(model.ok());
  EXPECT_EQ(model.error().kind, ErrorKind::FileOpen);
}

}  // namespace
}  // namespace veldra::core

#include "tools/veldra/command_line.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace veldra::tools {
namespace {

TEST(CommandLine, PrepareTakesEveryOptionOfTheWindow) {
  const CommandLine line = parse_command_line({"prepare",
                                               "--mef",
                                               "a.txt",
                                               "--mec=b.txt",
                                               "--start-folder",
                                               "/s",
                                               "--analysis",
                                               "Elasto-Visco-Plástica",
                                               "--degree",
                                               "quadratica",
                                               "--coupling",
                                               "MEC-Mindlin",
                                               "--increments",
                                               "7",
                                               "--iterations=9",
                                               "--force-tolerance",
                                               "2e-4",
                                               "--displacement-tolerance",
                                               "3e-4",
                                               "--decimal-separator",
                                               ",",
                                               "--run"});
  EXPECT_EQ(line.command, Command::Prepare);
  EXPECT_EQ(line.mef, QStringLiteral("a.txt"));
  EXPECT_EQ(line.mec, QStringLiteral("b.txt"));
  EXPECT_EQ(line.start_folder, QStringLiteral("/s"));
  EXPECT_EQ(line.options.analysis, 3);
  EXPECT_EQ(line.options.degree, 0);
  EXPECT_EQ(line.options.coupling, 3);
  EXPECT_EQ(line.options.increments, QStringLiteral("7"));
  EXPECT_EQ(line.options.iterations, QStringLiteral("9"));
  EXPECT_EQ(line.options.force_tolerance, QStringLiteral("2e-4"));
  EXPECT_EQ(line.options.displacement_tolerance, QStringLiteral("3e-4"));
  EXPECT_EQ(line.decimal_separator, std::optional<QString>(QStringLiteral(",")));
  EXPECT_TRUE(line.run);
}

TEST(CommandLine, PrepareDefaultsAreTheWindowsDefaults) {
  const CommandLine line = parse_command_line({"prepare", "--mef", "a.txt"});
  EXPECT_EQ(line.options.analysis, 0);
  EXPECT_EQ(line.options.degree, 1);
  EXPECT_EQ(line.options.coupling, 0);
  EXPECT_EQ(line.options.increments, QStringLiteral("20"));
  EXPECT_EQ(line.options.force_tolerance, QStringLiteral("1.e-5"));
  EXPECT_FALSE(line.run);
}

struct ChoiceCase {
  const char* text;
  int analysis;
  int degree;
  int coupling;
  friend void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

class Choice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(Choice, CaptionsWithOrWithoutAccentsAndAliases) {
  const QString text = QString::fromUtf8(GetParam().text);
  EXPECT_EQ(analysis_index(text), GetParam().analysis);
  EXPECT_EQ(degree_index(text), GetParam().degree);
  EXPECT_EQ(coupling_index(text), GetParam().coupling);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         Choice,
                         ::testing::Values(ChoiceCase{"Elástica", 0, -1, -1},
                                           ChoiceCase{"elasto-plastica", 1, -1, -1},
                                           ChoiceCase{"VISCO-ELÁSTICA", 2, -1, -1},
                                           ChoiceCase{"Cúbica", -1, 1, -1},
                                           ChoiceCase{"2", -1, 0, -1},
                                           ChoiceCase{"3", -1, 1, -1},
                                           ChoiceCase{"mef", -1, -1, 0},
                                           ChoiceCase{"MEC-Boussinesq/Cerruti", -1, -1, 2},
                                           ChoiceCase{"kelvin", -1, -1, 1},
                                           ChoiceCase{"mindlin", -1, -1, 3},
                                           ChoiceCase{"plastica", -1, -1, -1},
                                           ChoiceCase{"", -1, -1, -1}));

}  // namespace
}  // namespace veldra::tools

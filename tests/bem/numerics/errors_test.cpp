#include "bem/numerics/errors.h"

#include <gtest/gtest.h>

#include <string>

#include "numerics_support.h"

namespace bem::numerics {
namespace {

using test::exactly;
using test::send_stdout_to_death_test;

struct IntegerCase {
  const char* name;
  const char* text;
  long long value;
  const char* expected;
};

class FillIntegerPlaceholder : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(FillIntegerPlaceholder, ReplacesEveryOccurrence) {
  const IntegerCase& c = GetParam();
  EXPECT_EQ(fill_placeholders(std::string(c.text), c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    FillIntegerPlaceholder,
    ::testing::Values(
        IntegerCase{"LowerCase", "while N = %(i1) is given.", 0, "while N = 0 is given."},
        IntegerCase{"UpperCase", "points N = %(I1).  It", 7, "points N = 7.  It"},
        IntegerCase{"Negative", "N = %(i1)", -12, "N = -12"},
        IntegerCase{"Large", "N = %(I1)", 30000000000LL, "N = 30000000000"},
        IntegerCase{"Twice", "%(i1) and %(I1)", 42, "42 and 42"},
        IntegerCase{"RealPlaceholderKept", "RCOND = %(D1), N = %(i1)", 3, "RCOND = %(D1), N = 3"},
        IntegerCase{"NoPlaceholder", "The input matrix is singular.", 5,
                    "The input matrix is singular."}),
    [](const ::testing::TestParamInfo<IntegerCase>& case_info) {
      return std::string(case_info.param.name);
    });

struct RealCase {
  const char* name;
  double value;
  const char* expected;
};

class FillRealPlaceholder : public ::testing::TestWithParam<RealCase> {};

TEST_P(FillRealPlaceholder, UsesSevenSignificantDigitsAndExponent) {
  const RealCase& c = GetParam();
  EXPECT_EQ(fill_placeholders(std::string("RCOND = %(D1).  The"), c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    FillRealPlaceholder,
    ::testing::Values(RealCase{"Small", 1.2345678e-17, "RCOND = 1.234568E-17.  The"},
                      RealCase{"RelativeSpacing", 2.220446049250313e-16,
                               "RCOND = 2.220446E-16.  The"},
                      RealCase{"Zero", 0.0, "RCOND = 0.000000E+00.  The"},
                      RealCase{"Denormal", 4.9406564584124654e-324, "RCOND = 4.940656E-324.  The"},
                      RealCase{"One", 1.0, "RCOND = 1.000000E+00.  The"}),
    [](const ::testing::TestParamInfo<RealCase>& case_info) {
      return std::string(case_info.param.name);
    });

struct SeverityCase {
  const char* name;
  Severity severity;
  const char* word;
};

class PrintCondition : public ::testing::TestWithParam<SeverityCase> {};

TEST_P(PrintCondition, WritesOneLineToStandardOutputOnly) {
  const SeverityCase& c = GetParam();
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  print_condition(c.severity, 3, "DLINRG", "Some text.  With two spaces.");
  const std::string err = ::testing::internal::GetCapturedStderr();
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, std::string(" *** ") + c.word + " 3 from DLINRG: Some text.  With two spaces.\n");
  EXPECT_EQ(err, "");
}

using StopDeathTest = PrintCondition;

TEST_P(StopDeathTest, PrintsThenEndsTheProcessWithStatusOne) {
  const SeverityCase& c = GetParam();
  const std::string expected =
      std::string(" *** ") + c.word + " 2 from DGQRUL: The text.\nStop - Program terminated.\n";
  EXPECT_EXIT(
      {
        send_stdout_to_death_test();
        stop(c.severity, 2, "DGQRUL", "The text.");
      },
      ::testing::ExitedWithCode(1), exactly(expected));
}

const auto kSeverities =
    ::testing::Values(SeverityCase{"Warning", Severity::warning, "WARNING"},
                      SeverityCase{"Fatal", Severity::fatal, "FATAL"},
                      SeverityCase{"Terminal", Severity::terminal, "TERMINAL"});
const auto kSeverityName = [](const ::testing::TestParamInfo<SeverityCase>& case_info) {
  return std::string(case_info.param.name);
};
INSTANTIATE_TEST_SUITE_P(Severities, PrintCondition, kSeverities, kSeverityName);
INSTANTIATE_TEST_SUITE_P(Severities, StopDeathTest, kSeverities, kSeverityName);

}  // namespace
}  // namespace bem::numerics

// The I3 and F20.0 fields of the report and console records.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "bem/impressao.h"

namespace {

// Test names from the table rows.
template <typename Case>
std::string case_name(const ::testing::TestParamInfo<Case>& row) {
  return row.param.name;
}

using bem::impressao::format_f20_0;
using bem::impressao::format_i3;

struct I3Case {
  const char* name;
  long long value;
  const char* text;
};

void PrintTo(const I3Case& row, std::ostream* out) {
  *out << row.name;
}

class ImpressaoFormatI3 : public ::testing::TestWithParam<I3Case> {};

TEST_P(ImpressaoFormatI3, RightAlignsInThreeColumns) {
  EXPECT_EQ(format_i3(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ImpressaoFormatI3,
    ::testing::Values(I3Case{"Zero", 0, "  0"},
                      I3Case{"OneDigit", 7, "  7"},
                      I3Case{"TwoDigits", 59, " 59"},
                      I3Case{"Hundred", 100, "100"},
                      I3Case{"Widest", 999, "999"},
                      I3Case{"TooWide", 1000, "***"},
                      I3Case{"MinusOne", -1, " -1"},
                      I3Case{"WidestNegative", -99, "-99"},
                      I3Case{"NegativeTooWide", -100, "***"},
                      I3Case{"Largest", std::numeric_limits<long long>::max(), "***"},
                      I3Case{"Smallest", std::numeric_limits<long long>::min(), "***"}),
    case_name<I3Case>);

struct F20Case {
  const char* name;
  double value;
  const char* text;  // all 20 columns
};

void PrintTo(const F20Case& row, std::ostream* out) {
  *out << row.name;
}

class ImpressaoFormatF20 : public ::testing::TestWithParam<F20Case> {};

TEST_P(ImpressaoFormatF20, RoundsToAWholeNumberInTwentyColumns) {
  EXPECT_EQ(format_f20_0(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ImpressaoFormatF20,
    ::testing::Values(
        F20Case{"Zero", 0.0, "                  0."},
        F20Case{"NegativeZero", -0.0, "                  0."},
        F20Case{"SmallNegativeRoundsToZero", -0.4, "                  0."},
        F20Case{"BelowAHalf", 0.49999999999999994, "                  0."},
        F20Case{"HalfGoesAwayFromZero", 0.5, "                  1."},
        F20Case{"TieAboveEven", 2.5, "                  3."},
        F20Case{"NegativeTie", -2.5, "                 -3."},
        F20Case{"Fraction", 1234.567, "               1235."},
        F20Case{"LargeConditionNumber", 3.0e15, "   3000000000000000."},
        F20Case{"NineteenDigitsFit", 1.0e18, "1000000000000000000."},
        F20Case{"TwentyDigitsDoNot", 1.0e19, "********************"},
        F20Case{"NegativeEighteenDigitsFit", -1.0e17, "-100000000000000000."},
        F20Case{"NegativeNineteenDigitsDoNot", -1.0e18, "********************"},
        F20Case{"Huge", 1.0e300, "********************"},
        F20Case{"Infinity", std::numeric_limits<double>::infinity(), "            Infinity"},
        F20Case{"MinusInfinity", -std::numeric_limits<double>::infinity(), "           -Infinity"},
        F20Case{"NotANumber", std::numeric_limits<double>::quiet_NaN(), "                 NaN"}),
    case_name<F20Case>);

}  // namespace

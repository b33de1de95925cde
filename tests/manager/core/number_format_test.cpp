#include "manager/core/number_format.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

#include "test_support.h"

namespace veldra::core {
namespace {

const NumberFormat kPoint = NumberFormat::with_separator(QStringLiteral("."));
const NumberFormat kComma = NumberFormat::with_separator(QStringLiteral(","));

TEST(IntegerField, ZeroShowsADigitRightAligned) {
  EXPECT_EQ(integer_field(0, 6), QStringLiteral("     0"));
  EXPECT_EQ(integer_field(0, 2), QStringLiteral(" 0"));
  EXPECT_EQ(integer_field(27, 2), QStringLiteral("27"));
  EXPECT_EQ(integer_field(-5, 7), QStringLiteral("     -5"));
  EXPECT_EQ(integer_field(1234567, 4), QStringLiteral("1234567"));  // wider values stay whole
}

struct FixedCase {
  friend void PrintTo(const FixedCase& c, std::ostream* os) {
    *os << c.value << " %" << c.width << "." << c.decimals << "f";
  }
  double value;
  int width;
  int decimals;
  const char* point;
  const char* comma;
};

class FixedField : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedField, RoundsToNearestAndRightAligns) {
  const FixedCase& c = GetParam();
  EXPECT_EQ(fixed_field(c.value, c.width, c.decimals, kPoint), QString::fromLatin1(c.point));
  EXPECT_EQ(fixed_field(c.value, c.width, c.decimals, kComma), QString::fromLatin1(c.comma));
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    FixedField,
    ::testing::Values(FixedCase{0.0, 6, 2, "  0.00", "  0,00"},
                      FixedCase{1.0, 20, 8, "          1.00000000", "          1,00000000"},
                      FixedCase{-0.0015, 20, 10, "       -0.0015000000", "       -0,0015000000"},
                      FixedCase{123.456789106, 20, 8, "        123.45678911",
                                "        123,45678911"},
                      FixedCase{2.0 / 3.0, 12, 8, "  0.66666667", "  0,66666667"},
                      // A value that rounds to zero loses its sign.
                      FixedCase{-3.0e-12, 20, 8, "          0.00000000", "          0,00000000"},
                      FixedCase{-0.0, 6, 2, "  0.00", "  0,00"},
                      FixedCase{1.0e7, 8, 2, "10000000.00", "10000000,00"}));

struct ExponentCase {
  friend void PrintTo(const ExponentCase& c, std::ostream* os) { *os << c.value; }
  double value;
  const char* text;
};

class ExponentField : public ::testing::TestWithParam<ExponentCase> {};

TEST_P(ExponentField, TwoSignificantDigitsAndThreeExponentDigits) {
  EXPECT_EQ(exponent_field(GetParam().value, 10, kPoint), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         ExponentField,
                         ::testing::Values(ExponentCase{1.0e-5, "  1.0E-005"},
                                           ExponentCase{0.0, "  0.0E+000"},
                                           ExponentCase{-0.0, "  0.0E+000"},
                                           ExponentCase{9.96e-5, "  1.0E-004"},
                                           ExponentCase{1.26e-5, "  1.3E-005"},
                                           ExponentCase{-2.5e-3, " -2.5E-003"},
                                           ExponentCase{3.0e10, "  3.0E+010"},
                                           ExponentCase{1.0e300, "  1.0E+300"},
                                           ExponentCase{7.0, "  7.0E+000"}));

TEST(ExponentField, UsesTheDecimalSeparator) {
  EXPECT_EQ(exponent_field(1.0e-5, 10, kComma), QStringLiteral("  1,0E-005"));
}

TEST(TextField, RightAlignsAndKeepsLongTextsWhole) {
  EXPECT_EQ(text_field(u"       1", 12), QStringLiteral("           1"));
  EXPECT_EQ(text_field(u"", 3), QStringLiteral("   "));
  EXPECT_EQ(text_field(u"abcdefghijklmn", 12), QStringLiteral("abcdefghijklmn"));
}

struct IntegerCase {
  friend void PrintTo(const IntegerCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
  const char* text;
  std::optional<int> value;
};

class ReadInteger : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ReadInteger, LeadingBlanksOnlyAndNothingAfterTheDigits) {
  EXPECT_EQ(read_integer(QString::fromLatin1(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         ReadInteger,
                         ::testing::Values(IntegerCase{"8", 8},
                                           IntegerCase{"       8", 8},
                                           IntegerCase{" -12", -12},
                                           IntegerCase{"+3", 3},
                                           IntegerCase{"2147483647", 2147483647},
                                           IntegerCase{"-2147483648", -2147483647 - 1},
                                           IntegerCase{"2147483648", std::nullopt},
                                           IntegerCase{"99999999999999999999", std::nullopt},
                                           IntegerCase{"", std::nullopt},
                                           IntegerCase{"   ", std::nullopt},
                                           IntegerCase{"-", std::nullopt},
                                           IntegerCase{"8 ", std::nullopt},
                                           IntegerCase{"8,", std::nullopt},
                                           IntegerCase{"1.0", std::nullopt},
                                           IntegerCase{"0x10", std::nullopt},
                                           IntegerCase{"- 1", std::nullopt}));

struct RealCase {
  friend void PrintTo(const RealCase& c, std::ostream* os) {
    *os << '"' << c.text << "\" with \"" << c.separator << '"';
  }
  const char* text;
  const char* separator;
  std::optional<double> value;
};

class ReadReal : public ::testing::TestWithParam<RealCase> {};

TEST_P(ReadReal, UserSeparatorFirstThenPoint) {
  const RealCase& c = GetParam();
  const std::optional<double> value = read_real(
      QString::fromLatin1(c.text), NumberFormat::with_separator(QString::fromLatin1(c.separator)));
  EXPECT_EQ(value, c.value) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ReadReal,
    ::testing::Values(RealCase{"1.e-5", ".", 1.0e-5},
                      RealCase{" 0.000000000E+00 ", ".", 0.0},
                      RealCase{"-2.500000000E-01", ".", -0.25},
                      RealCase{"+.5", ".", 0.5},
                      RealCase{"3", ".", 3.0},
                      RealCase{"1,5", ",", 1.5},
                      // The export's producer writes a point whatever the user's locale.
                      RealCase{"1.5", ",", 1.5},
                      RealCase{"1.e-5", ",", 1.0e-5},
                      RealCase{"1,5", ".", std::nullopt},
                      RealCase{"1.000,5", ",", std::nullopt},
                      RealCase{"", ".", std::nullopt},
                      RealCase{"  ", ".", std::nullopt},
                      RealCase{".", ".", std::nullopt},
                      RealCase{"e5", ".", std::nullopt},
                      RealCase{"1e", ".", std::nullopt},
                      RealCase{"1.0.0", ".", std::nullopt},
                      RealCase{"1 2", ".", std::nullopt},
                      RealCase{"nan", ".", std::nullopt},
                      RealCase{"inf", ".", std::nullopt},
                      RealCase{"1e999", ".", std::nullopt},
                      RealCase{"0x1p3", ".", std::nullopt}));

TEST(NumberFormat, UserFormatTakesTheSystemLocalesSeparator) {
  EXPECT_EQ(NumberFormat::user().decimal_separator, QLocale::system().decimalPoint());
}

}  // namespace
}  // namespace veldra::core

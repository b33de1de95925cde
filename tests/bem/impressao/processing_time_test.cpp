// Elapsed seconds split into hours, minutes, seconds and hundredths. The remainders are
// computed in doubles, so some rows depend on rounding error; processing_time_cases.py
// repeats the arithmetic in Python's doubles and prints the remainder c of each row.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "bem/impressao.h"

namespace {

// Test names from the table rows.
template <typename Case>
std::string case_name(const ::testing::TestParamInfo<Case>& row) {
  return row.param.name;
}

using bem::impressao::processing_time;
using bem::impressao::ProcessingTime;

struct TimeCase {
  const char* name;
  double t0;
  double t1;
  int hours, minutes, seconds, hundredths;
};

void PrintTo(const TimeCase& row, std::ostream* out) {
  *out << row.name;
}

class ImpressaoProcessingTime : public ::testing::TestWithParam<TimeCase> {};

TEST_P(ImpressaoProcessingTime, SplitsTheElapsedTime) {
  const TimeCase& c = GetParam();
  const ProcessingTime time = processing_time(c.t0, c.t1);
  EXPECT_EQ(time.hours, c.hours);
  EXPECT_EQ(time.minutes, c.minutes);
  EXPECT_EQ(time.seconds, c.seconds);
  EXPECT_EQ(time.hundredths, c.hundredths);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ImpressaoProcessingTime,
    ::testing::Values(TimeCase{"Zero", 0.0, 0.0, 0, 0, 0, 0},
                      // c = 7.000000000000028
                      TimeCase{"FourSecondsSevenHundredths", 0.0, 4.07, 0, 0, 4, 7},
                      // 5.996 s left after the minutes: c = 99.6 rounds up to 100, which is kept.
                      TimeCase{"HundredthsRoundUpTo100", 0.0, 3725.996, 1, 2, 5, 100},
                      TimeCase{"JustUnderAMinute", 0.0, 59.999, 0, 0, 59, 100},
                      // The remainder 0.995 s comes out as c = 99.49999999998909, so 99, not 100.
                      TimeCase{"JustUnderAnHourRoundsDown", 0.0, 3599.995, 0, 59, 59, 99},
                      // c = 0.49999999999998934: the nominal 1.005 s gives no hundredth.
                      TimeCase{"RoundingErrorBelowAHalf", 0.0, 1.005, 0, 0, 1, 0},
                      TimeCase{"WholeHour", 0.0, 3600.0, 1, 0, 0, 0},
                      TimeCase{"TwoWholeHours", 100.0, 7300.0, 2, 0, 0, 0},
                      TimeCase{"WholeMinute", 0.0, 60.0, 0, 1, 0, 0},
                      TimeCase{"MinuteAndHalfSeconds", 0.0, 119.5, 0, 1, 59, 50},
                      TimeCase{"LastHundredthOfADay", 0.0, 86399.99, 23, 59, 59, 99},
                      // c = 12.5 exactly: a tie goes away from zero (13, not 12).
                      TimeCase{"TieRoundsAwayFromZero", 0.0, 1.125, 0, 0, 1, 13},
                      // A clock set backwards: truncation toward zero, the tie away from zero.
                      TimeCase{"NegativeTruncatesTowardZero", 4.07, 0.0, 0, 0, -4, -7},
                      TimeCase{"NegativeTieRoundsAwayFromZero", 0.0, -1.125, 0, 0, -1, -13},
                      TimeCase{"HoursBeyondI3AreKeptWhole", 0.0, 3600000.0, 1000, 0, 0, 0},
                      TimeCase{"OnlyTheDifferenceCounts", 1.0e6, 1.0e6 + 3600.0, 1, 0, 0, 0}),
    case_name<TimeCase>);

}  // namespace

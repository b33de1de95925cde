#!/usr/bin/env python3
"""Repeats the processing-time arithmetic in IEEE doubles (Python floats) for the rows of
processing_time_test.cpp and prints each row's hours, minutes, seconds, hundredths and the
remainder c before rounding."""
import math

CASES = [
    ("Zero", 0.0, 0.0), ("FourSecondsSevenHundredths", 0.0, 4.07),
    ("HundredthsRoundUpTo100", 0.0, 3725.996), ("JustUnderAMinute", 0.0, 59.999),
    ("JustUnderAnHourRoundsDown", 0.0, 3599.995), ("RoundingErrorBelowAHalf", 0.0, 1.005),
    ("WholeHour", 0.0, 3600.0), ("TwoWholeHours", 100.0, 7300.0), ("WholeMinute", 0.0, 60.0),
    ("MinuteAndHalfSeconds", 0.0, 119.5), ("LastHundredthOfADay", 0.0, 86399.99),
    ("TieRoundsAwayFromZero", 0.0, 1.125), ("NegativeTruncatesTowardZero", 4.07, 0.0),
    ("NegativeTieRoundsAwayFromZero", 0.0, -1.125),
    ("HoursBeyondI3AreKeptWhole", 0.0, 3600000.0),
    ("OnlyTheDifferenceCounts", 1.0e6, 1.0e6 + 3600.0),
]


def split(t0, t1):
    t = (t1 - t0) / 3600.0
    ih = math.trunc(t)
    im = math.trunc(t * 60.0 - ih * 60)
    s = math.trunc(t * 3600.0 - im * 60 - ih * 3600)
    c = (t * 3600.0 - s - im * 60 - ih * 3600) * 100.0
    ic = math.trunc(c + 0.5) if c >= 0 else math.trunc(c - 0.5)
    return ih, im, s, ic, c


for name, t0, t1 in CASES:
    ih, im, s, ic, c = split(t0, t1)
    print(f"{name:32} {ih:5} {im:3} {s:3} {ic:4}   c = {c!r}")

// The run report (channel 2) and the console texts of a call with no elements.
#pragma once

#include <cstdint>
#include <string>

namespace bem::impressao {

// Hours, minutes, seconds and hundredths of an elapsed time (see processing_time).
struct ProcessingTime {
  std::int16_t hours;
  std::int16_t minutes;
  std::int16_t seconds;
  std::int32_t hundredths;
};

// Splits t1 - t0 seconds into hours, minutes, seconds and hundredths with the library's
// arithmetic: t = (t1 - t0)/3600 hours; ih = trunc(t); im = trunc(60t - 60ih);
// is = trunc(3600t - 60im - 3600ih); c = (3600t - is - 60im - 3600ih) * 100; ic = c
// rounded half away from zero. ic may come out as 100; it is kept.
ProcessingTime processing_time(double t0, double t1);

// Report channel 2. The first write connects it to the file named by the host process's
// next command-line argument not used by an earlier connection, or, when none is left, to
// the name asked for on the console. Once connected it stays connected; later calls append.
void report_line(const std::string& line);

// The internal-point sections (headings and table frames, no rows).
void internal_point_sections();
// The condition-number record "(/,1X,'Condition number: ',F20.0,/)".
void condition_number_line(double value);
// The processing time, on the console and then framed by 62 '#' in the report.
void write_processing_time(const ProcessingTime& time);
// "aperte a tecla <enter> para finalizar" and the console pause.
void closing_prompt_and_pause();

// Formats of single fields, exposed for tests: I3 (asterisks when it does not fit) and F20.0.
std::string format_i3(long long value);
std::string format_f20_0(double value);

}  // namespace bem::impressao

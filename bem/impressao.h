// The run report (channel 2) and the console texts of a call with no elements. The console is
// the host's stdout and stdin through C stdio, flushed after every record, so the texts
// interleave with a host that writes through stdio too. Every record shows its leading blank
// ("1X" or list-directed) on the console as well as in the report.
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
// rounded half away from zero. All conversions truncate toward zero; ih, im, is are 16-bit
// and ic 32-bit as the library holds them. ic may come out as 100; it is kept.
ProcessingTime processing_time(double t0, double t1);

// Report channel 2 (one per library, process-wide, thread-safe): writes `line` and a line end
// ("\n"; "\r\n" on Windows), flushed. The first write connects it to the file named by the
// host process's next command-line argument not used by an earlier connection; when none is
// left or it is blank, the console shows "File name missing or blank - please enter file
// name" and asks "UNIT 2? " until a non-blank line is read. Names are taken without
// surrounding blanks and tabs. Connecting creates the file or empties an existing one; once
// connected the channel stays open and later calls append. At end of console input, or when
// the file cannot be opened (said on stderr), the channel gives up for the rest of the
// process and report text is discarded: a host without a console never hangs.
void report_line(const std::string& line);

// The internal-point sections (headings and table frames, no rows).
void internal_point_sections();
// The condition-number record "(/,1X,'Condition number: ',F20.0,/)".
void condition_number_line(double value);
// The processing time, on the console and then framed by 62 '#' in the report.
void write_processing_time(const ProcessingTime& time);
// " aperte a tecla <enter> para finalizar" and the console pause: shows "Pause - Please enter
// a blank line (to continue) or a DOS command.", reads one line (the first 128 characters
// are kept, the rest of the line is discarded; a CR before the line end is dropped), removes
// trailing blanks and tabs, and runs a reply of 2 or more characters through the system's
// command interpreter. End of input ends the pause like a blank line.
void closing_prompt_and_pause();

// Formats of single fields, exposed for tests. I3: right-aligned in 3 columns, "***" when
// it does not fit. F20.0: rounded to a whole number (ties away from zero), written with a
// trailing "." right-aligned in 20 columns ("0." for anything that rounds to zero, "-" for
// negatives, "NaN"/"Infinity"/"-Infinity"), 20 asterisks when it does not fit.
std::string format_i3(long long value);
std::string format_f20_0(double value);

}  // namespace bem::impressao

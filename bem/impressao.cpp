#include "impressao.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <string_view>

#include "platform/platform.h"

namespace bem::impressao {

namespace {

constexpr int kReportUnit = 2;
constexpr std::size_t kPauseReplyLength = 128;

// Report channel 2: connected by the first write and open until the process ends.
std::mutex channel_mutex;
std::FILE* channel_file = nullptr;
bool channel_abandoned = false;  // no file to be had: report text is discarded
std::size_t used_arguments = 0;  // host arguments taken by earlier connections

// Reads one console line without its line end, keeping at most `keep` characters and
// discarding the rest of the line. False at end of input when nothing was read.
bool read_console_line(std::string& line, std::size_t keep) {
  line.clear();
  std::size_t count = 0;
  int c = 0;
  while ((c = std::getchar()) != EOF && c != '\n') {
    if (count++ < keep) line.push_back(static_cast<char>(c));
  }
  if (c == EOF && count == 0) return false;
  if (count == line.size() && !line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

std::string without_trailing_blanks(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  return text;
}

std::string without_surrounding_blanks(const std::string& text) {
  const std::string tail_trimmed = without_trailing_blanks(text);
  const std::size_t first = tail_trimmed.find_first_not_of(" \t");
  return first == std::string::npos ? std::string() : tail_trimmed.substr(first);
}

// The next unused host argument; when none is left or it is blank, the name asked for on
// the console. Nothing at end of console input: a host without a console must not hang.
std::optional<std::string> report_file_name() {
  const std::vector<std::string> arguments = platform::host_arguments();
  if (used_arguments < arguments.size()) {
    std::string name = without_surrounding_blanks(arguments[used_arguments++]);
    if (!name.empty()) return name;
  }
  std::fputs("File name missing or blank - please enter file name\n", stdout);
  for (;;) {
    std::printf("UNIT %d? ", kReportUnit);
    std::fflush(stdout);
    std::string answer;
    if (!read_console_line(answer, std::string::npos)) {
      std::fputs("\n", stdout);  // end the question's line for what follows
      std::fflush(stdout);
      return std::nullopt;
    }
    answer = without_surrounding_blanks(answer);
    if (!answer.empty()) return answer;
  }
}

// Called with channel_mutex held.
bool channel_connected() {
  if (channel_file != nullptr) return true;
  if (channel_abandoned) return false;
  if (const std::optional<std::string> name = report_file_name()) {
    channel_file = std::fopen(name->c_str(), "w");
    if (channel_file == nullptr) {
      std::fprintf(stderr, "Report channel %d: cannot open \"%s\"; the report is discarded.\n",
                   kReportUnit, name->c_str());
    }
  }
  channel_abandoned = channel_file == nullptr;
  return !channel_abandoned;
}

// One record to the report: its lines stay together when several threads write.
void report_record(std::initializer_list<std::string_view> lines) {
  const std::lock_guard<std::mutex> lock(channel_mutex);
  if (!channel_connected()) return;
  for (const std::string_view line : lines) {
    std::fwrite(line.data(), 1, line.size(), channel_file);
    std::fputc('\n', channel_file);
    std::fflush(channel_file);
  }
}

void console_record(std::initializer_list<std::string_view> lines) {
  for (const std::string_view line : lines) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  }
  std::fflush(stdout);
}

// "(1X,'Tempo de processamento:',I3,'h',I3,'m',I3,'s',I3,'cent.')" after the leading "/".
std::string time_text(const ProcessingTime& time) {
  return " Tempo de processamento:" + format_i3(time.hours) + "h" + format_i3(time.minutes) + "m" +
         format_i3(time.seconds) + "s" + format_i3(time.hundredths) + "cent.";
}

// Truncation toward zero; a value beyond the target's range wraps as the store of the
// 64-bit conversion into the narrower integer does (not reached by real elapsed times).
template <typename Int>
Int truncated(double value) {
  if (!(std::fabs(value) < 9.0e18)) return 0;
  return static_cast<Int>(static_cast<std::int64_t>(value));
}

}  // namespace

ProcessingTime processing_time(double t0, double t1) {
  const double t = (t1 - t0) / 3600.0;
  const auto ih = truncated<std::int16_t>(t);
  const auto im = truncated<std::int16_t>(t * 60.0 - ih * 60);
  const auto is = truncated<std::int16_t>(t * 3600.0 - im * 60 - ih * 3600);
  const double c = (t * 3600.0 - is - im * 60 - ih * 3600) * 100.0;
  const auto ic = truncated<std::int32_t>(c >= 0.0 ? c + 0.5 : c - 0.5);
  return {ih, im, is, ic};
}

void report_line(const std::string& line) {
  report_record({line});
}

void internal_point_sections() {
  const std::string frame49 = " +" + std::string(49, '-') + "+";
  const std::string frame97 = " +" + std::string(97, '-') + "+";
  report_record({" ----- deslocamentos dos pontos internos -----"});
  report_record({" ", ""});
  report_record({frame49});
  report_record({" | ponto    desloc. x     desloc. y     desloc. z  |"});
  report_record({frame49});
  report_record({" ", ""});
  report_record({" ", ""});
  report_record({"  ----- tensoes nos pontos internos -----"});
  report_record({" ", ""});
  report_record({frame97});
  report_record(
      {" | ponto      sigma x        sigma y        sigma z        "
       "tau xy         tau xz         tau yz    |"});
  report_record({frame97});
  report_record({" ", ""});
  report_record({" ", ""});
}

void condition_number_line(double value) {
  report_record({"", " Condition number: " + format_f20_0(value), ""});
}

void write_processing_time(const ProcessingTime& time) {
  const std::string text = time_text(time);
  const std::string hashes(62, '#');
  console_record({"", text});
  report_record({" ", hashes});
  report_record({"", text});
  report_record({" ", hashes});
}

void closing_prompt_and_pause() {
  console_record({" aperte a tecla <enter> para finalizar",
                  "Pause - Please enter a blank line (to continue) or a DOS command."});
  std::string reply;
  if (!read_console_line(reply, kPauseReplyLength)) return;  // end of input: as a blank line
  reply = without_trailing_blanks(reply);
  if (reply.size() >= 2) platform::run_command(reply);
}

std::string format_i3(long long value) {
  const std::string digits = std::to_string(value);
  if (digits.size() > 3) return "***";
  return std::string(3 - digits.size(), ' ') + digits;
}

std::string format_f20_0(double value) {
  constexpr std::size_t kWidth = 20;
  std::string text;
  if (std::isnan(value)) {
    text = "NaN";
  } else if (std::isinf(value)) {
    text = value > 0.0 ? "Infinity" : "-Infinity";
  } else {
    // Ties away from zero; a value that rounds to zero is "0." whatever its sign.
    const double rounded = std::round(value);
    char buffer[400];  // room for every finite double written in full
    std::snprintf(buffer, sizeof buffer, "%.0f.", rounded == 0.0 ? 0.0 : rounded);
    text = buffer;
  }
  if (text.size() > kWidth) return std::string(kWidth, '*');
  return std::string(kWidth - text.size(), ' ') + text;
}

}  // namespace bem::impressao

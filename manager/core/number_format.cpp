#include "manager/core/number_format.h"

#include <QLocale>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace veldra::core {

namespace {

bool is_blank(QChar c) {
  return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool is_digit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QStringView trimmed_blanks(QStringView text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && is_blank(text[begin])) ++begin;
  while (end > begin && is_blank(text[end - 1])) --end;
  return text.sliced(begin, end - begin);
}

// Appends the digits starting at pos to out; returns how many there were.
qsizetype take_digits(QStringView text, qsizetype& pos, std::string& out) {
  const qsizetype start = pos;
  while (pos < text.size() && is_digit(text[pos])) {
    out += static_cast<char>(text[pos].unicode());
    ++pos;
  }
  return pos - start;
}

// The text as a C-locale real ("-12.5e-3"), or empty when it does not follow the grammar with
// the given separator.
std::optional<std::string> canonical_real(QStringView text, QStringView separator) {
  std::string out;
  qsizetype pos = 0;
  if (pos < text.size() && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
    if (text[pos] == QLatin1Char('-')) out += '-';
    ++pos;
  }
  std::string integer_digits;
  std::string fraction_digits;
  take_digits(text, pos, integer_digits);
  if (!separator.isEmpty() && text.sliced(pos).startsWith(separator)) {
    pos += separator.size();
    take_digits(text, pos, fraction_digits);
  }
  if (integer_digits.empty() && fraction_digits.empty()) return std::nullopt;
  out += integer_digits.empty() ? std::string("0") : integer_digits;
  if (!fraction_digits.empty()) out += '.' + fraction_digits;
  if (pos < text.size() && (text[pos] == QLatin1Char('e') || text[pos] == QLatin1Char('E'))) {
    ++pos;
    out += 'e';
    if (pos < text.size() && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
      if (text[pos] == QLatin1Char('-')) out += '-';
      ++pos;
    }
    std::string exponent_digits;
    if (take_digits(text, pos, exponent_digits) == 0) return std::nullopt;
    out += exponent_digits;
  }
  if (pos != text.size()) return std::nullopt;
  return out;
}

std::optional<double> parse_real(QStringView text, QStringView separator) {
  const std::optional<std::string> canonical = canonical_real(text, separator);
  if (!canonical) return std::nullopt;
  double value = 0.0;
  const char* first = canonical->data();
  const char* last = first + canonical->size();
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

QString pad_left(const QString& text, int width) {
  if (text.size() >= width) return text;
  return QString(width - text.size(), QLatin1Char(' ')) + text;
}

// A minus sign in front of nothing but zeros is dropped.
void drop_sign_of_zero(std::string& text) {
  if (text.empty() || text[0] != '-') return;
  if (text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
}

QString with_separator(const std::string& text, const NumberFormat& format) {
  QString out = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  out.replace(QLatin1Char('.'), format.decimal_separator);
  return out;
}

}  // namespace

NumberFormat NumberFormat::user() {
  return {QLocale::system().decimalPoint()};
}

QString integer_field(qint64 value, int width) {
  return pad_left(QString::number(value), width);
}

QString fixed_field(double value, int width, int decimals, const NumberFormat& format) {
  // Room for the largest double written in full with its decimals.
  std::array<char, 400> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, decimals);
  std::string text = ec == std::errc() ? std::string(buffer.data(), end) : std::string("nan");
  drop_sign_of_zero(text);
  return pad_left(with_separator(text, format), width);
}

QString exponent_field(double value, int width, const NumberFormat& format) {
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::scientific, 1);
  const std::string text = ec == std::errc() ? std::string(buffer.data(), end) : std::string();
  const std::size_t e = text.find('e');
  if (e == std::string::npos) return pad_left(QString::fromStdString(text), width);  // inf, nan
  std::string mantissa = text.substr(0, e);
  drop_sign_of_zero(mantissa);
  const char sign = text[e + 1];
  std::string digits = text.substr(e + 2);
  while (digits.size() > 1 && digits[0] == '0') digits.erase(0, 1);
  while (digits.size() < 3) digits.insert(0, 1, '0');
  const bool zero = mantissa.find_first_of("123456789") == std::string::npos;
  const std::string exponent = std::string(1, zero ? '+' : sign) + digits;
  return pad_left(with_separator(mantissa, format) + QLatin1Char('E') +
                      QString::fromLatin1(exponent.data(), static_cast<qsizetype>(exponent.size())),
                  width);
}

QString text_field(QStringView text, int width) {
  return pad_left(text.toString(), width);
}

std::optional<int> read_integer(QStringView text) {
  qsizetype pos = 0;
  while (pos < text.size() && is_blank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
    negative = text[pos] == QLatin1Char('-');
    ++pos;
  }
  if (pos == text.size()) return std::nullopt;
  qint64 magnitude = 0;
  for (; pos < text.size(); ++pos) {
    if (!is_digit(text[pos])) return std::nullopt;
    magnitude = magnitude * 10 + (text[pos].unicode() - '0');
    if (magnitude > qint64{std::numeric_limits<int>::max()} + 1) return std::nullopt;
  }
  const qint64 value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<double> read_real(QStringView text, const NumberFormat& format) {
  const QStringView body = trimmed_blanks(text);
  if (std::optional<double> value = parse_real(body, format.decimal_separator)) return value;
  if (format.decimal_separator != QLatin1String(".")) return parse_real(body, u".");
  return std::nullopt;
}

}  // namespace veldra::core

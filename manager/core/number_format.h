// The number rules of the manager's file formats, in one place: integer fields that always
// show a digit, fixed fields, right-aligned text fields, the exponent form d.dE+ddd, and the
// reading of integers and reals with the user's decimal separator.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace veldra::core {

// The decimal separator used to read and write reals. The windows and the batch commands take
// the user's; tests force "," or ".".
struct NumberFormat {
  QString decimal_separator = QStringLiteral(".");

  static NumberFormat user();  // QLocale::system()
  static NumberFormat with_separator(const QString& separator) { return {separator}; }
};

// "%<width>.0d": right-aligned decimal, at least one digit (zero is "0", never blanks).
QString integer_field(qint64 value, int width);

// "%<width>.<decimals>f": right-aligned, rounded to nearest, the format's separator. A value
// that rounds to zero is written without a minus sign.
QString fixed_field(double value, int width, int decimals, const NumberFormat& format);

// "%<width>.0e" of the general data file: one digit, the separator, one digit, "E", the
// exponent's sign and at least three exponent digits ("1.0E-005", "0.0E+000"), right-aligned.
QString exponent_field(double value, int width, const NumberFormat& format);

// "%<width>s": the text right-aligned; longer texts stay whole.
QString text_field(QStringView text, int width);

// A decimal integer: optional leading blanks, an optional sign, digits, nothing after them.
// Empty when the text is not one or does not fit 32 bits.
std::optional<int> read_integer(QStringView text);

// A real: blanks allowed before and after, an optional sign, digits with the format's decimal
// separator, an optional exponent. A text that does not read with the format's separator is
// read with a point as well (the export's producer always writes a point). Non-finite and
// out-of-range values are refused. Empty when the text is not a real.
std::optional<double> read_real(QStringView text, const NumberFormat& format);

}  // namespace veldra::core

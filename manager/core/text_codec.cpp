#include "manager/core/text_codec.h"

#include <QStringDecoder>
#include <array>

namespace veldra::core {

namespace {

// Code points of the bytes 0x80 to 0x9F; the others equal their byte.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

std::optional<char> windows1252_byte(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kWindows1252High.size(); ++i) {
    if (kWindows1252High[i] == c) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

}  // namespace

TextEncoding system_text_encoding() {
#ifdef _WIN32
  return TextEncoding::Windows1252;
#else
  return TextEncoding::Utf8;
#endif
}

QString decode_windows1252(QByteArrayView bytes) {
  QString out(bytes.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    out[i] = (b >= 0x80 && b < 0xA0) ? QChar(kWindows1252High[b - 0x80]) : QChar(b);
  }
  return out;
}

QString decode_text(QByteArrayView bytes) {
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return decode_windows1252(bytes);
}

std::optional<QByteArray> encode_text(const QString& text,
                                      TextEncoding encoding,
                                      qsizetype* first_unencodable) {
  if (encoding == TextEncoding::Utf8) {
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar c = text[i];
      const bool paired =
          c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
      if (paired) {
        ++i;
      } else if (c.isSurrogate()) {
        if (first_unencodable != nullptr) *first_unencodable = i;
        return std::nullopt;
      }
    }
    return text.toUtf8();
  }
  QByteArray out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const std::optional<char> b = windows1252_byte(text[i].unicode());
    if (!b) {
      if (first_unencodable != nullptr) *first_unencodable = i;
      return std::nullopt;
    }
    out += *b;
  }
  return out;
}

}  // namespace veldra::core

#include "manager/core/text_codec.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace veldra::core {
namespace {

const QString kPortuguese = QStringLiteral("Número de Nós, Direções, Vinculação, Pós €");

TEST(TextCodec, SystemEncodingIsTheDocumentedOne) {
#ifdef _WIN32
  EXPECT_EQ(system_text_encoding(), TextEncoding::Windows1252);
#else
  EXPECT_EQ(system_text_encoding(), TextEncoding::Utf8);
#endif
}

TEST(TextCodec, Windows1252KeepsEveryByteThroughDecodeAndEncode) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const QString text = decode_windows1252(all);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(text[0x80], QChar(0x20AC));
  EXPECT_EQ(text[0x81], QChar(0x0081));
  EXPECT_EQ(text[0x9F], QChar(0x0178));
  EXPECT_EQ(text[0xE7], QChar(0x00E7));  // ç
  EXPECT_EQ(encode_text(text, TextEncoding::Windows1252), std::optional<QByteArray>(all));
}

TEST(TextCodec, PortugueseTextInEitherEncodingDecodes) {
  const QByteArray utf8 = kPortuguese.toUtf8();
  const std::optional<QByteArray> cp1252 = encode_text(kPortuguese, TextEncoding::Windows1252);
  ASSERT_TRUE(cp1252.has_value());
  EXPECT_EQ(cp1252->size(), kPortuguese.size());  // one byte a character
  EXPECT_EQ(cp1252->at(1), '\xFA');               // ú
  EXPECT_EQ(decode_text(utf8), kPortuguese);
  EXPECT_EQ(decode_text(*cp1252), kPortuguese);
}

TEST(TextCodec, Utf8ByteOrderMarkIsDropped) {
  EXPECT_EQ(decode_text(QByteArray("\xEF\xBB\xBFNUMOFF")), QStringLiteral("NUMOFF"));
}

TEST(TextCodec, InvalidUtf8FallsBackToWindows1252WithoutFailing) {
  // A lone continuation byte and a truncated sequence.
  EXPECT_EQ(decode_text(QByteArray("a\x80z")), QStringLiteral("a€z"));
  EXPECT_EQ(decode_text(QByteArray("\xC3")), QStringLiteral("Ã"));
}

TEST(TextCodec, AnUnencodableCharacterIsReportedNotReplaced) {
  qsizetype at = -1;
  EXPECT_FALSE(encode_text(QStringLiteral("ab\u4E2Dc"), TextEncoding::Windows1252, &at));
  EXPECT_EQ(at, 2);
  EXPECT_EQ(encode_text(QStringLiteral("ab\u4E2Dc"), TextEncoding::Utf8),
            std::optional<QByteArray>(QByteArray("ab\xE4\xB8\xAD"
                                                 "c")));
  QString lone_surrogate = QStringLiteral("x");
  lone_surrogate += QChar(0xD800);
  EXPECT_FALSE(encode_text(lone_surrogate, TextEncoding::Utf8, &at));
  EXPECT_EQ(at, 1);
}

}  // namespace
}  // namespace veldra::core

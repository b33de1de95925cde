// The 8-bit encodings of the manager's text files. Files are written in the system's 8-bit
// encoding where the platform has one (Windows-1252 on Windows, as the processor and the files
// made there expect) and in UTF-8 elsewhere; either is read without failing.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace veldra::core {

enum class TextEncoding { Utf8, Windows1252 };

// Windows-1252 on Windows, UTF-8 elsewhere.
TextEncoding system_text_encoding();

// UTF-8 when the bytes are valid UTF-8 (an initial byte order mark is dropped), Windows-1252
// otherwise. Every byte sequence decodes; the five bytes Windows-1252 leaves undefined become
// the control characters of the same code, so decoding and encoding back keeps every byte.
QString decode_text(QByteArrayView bytes);

QString decode_windows1252(QByteArrayView bytes);

// The text in the encoding; empty when a character has no code there. first_unencodable, when
// given, receives the index of the first such character.
std::optional<QByteArray> encode_text(const QString& text,
                                      TextEncoding encoding,
                                      qsizetype* first_unencodable = nullptr);

}  // namespace veldra::core

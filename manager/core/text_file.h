// Text files as lists of lines: read in either encoding, written with CR LF after every line.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "manager/core/error.h"
#include "manager/core/text_codec.h"

namespace veldra::core {

// The lines of a text: a line ends at CR LF, LF or a lone CR; a final line end starts no
// further line, so "a\r\nb\r\n" and "a\r\nb" both give {"a", "b"} and "" gives {}.
QStringList split_lines(const QString& text);

// Each line followed by CR LF; an empty line is CR LF alone.
QString join_crlf(const QStringList& lines);

// The bytes of a file of these lines in the encoding; fails naming the file, the line and
// the character that the encoding cannot represent.
Result<QByteArray> encode_lines(const QStringList& lines,
                                TextEncoding encoding,
                                const QString& file_for_errors);

Result<QStringList> read_text_lines(const QString& path);

// Writes the bytes to a temporary file beside path and renames it over path, so that a failed
// write leaves any earlier file whole.
Status write_file_bytes(const QString& path, const QByteArray& bytes);

Status write_text_lines(const QString& path,
                        const QStringList& lines,
                        TextEncoding encoding = system_text_encoding());

}  // namespace veldra::core

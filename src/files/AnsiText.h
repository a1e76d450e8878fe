#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The game reads and writes its text files in a single-byte code page: the
// ANSI code page on Windows, and Windows-1252 (what the game uses under Wine
// and Proton) on other systems. Every game file this program touches goes
// through here, so that a character the file cannot carry is refused instead
// of quietly turning into "?".
namespace AnsiText {

// Index of the first character that cannot be encoded, or -1.
qsizetype firstUnencodable(const QString& text);

// The bytes of the text, or nothing when a character cannot be encoded.
std::optional<QByteArray> encode(const QString& text);

// Every byte decodes to some character, so reading never fails.
QString decode(const QByteArray& bytes);

} // namespace AnsiText

// Windows-1252, with the five bytes it leaves undefined mapped to the C1
// control characters of the same number, so that any file decodes and encodes
// back to the same bytes. Used on every system that has no ANSI code page.
namespace Cp1252 {

std::optional<char> encodeChar(char16_t c);
char16_t DecodeByte(unsigned char b);

} // namespace Cp1252

#include "AnsiText.h"

#include <cstring>

namespace {

// Game files are almost all ASCII, so the bytes are checked eight at a time
// and only a file with high bytes pays for the code page's table.
bool allAscii(const char* bytes, qsizetype size)
{
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, bytes + i, 8);
        if (word & 0x8080808080808080ULL)
            return false;
    }
    for (; i < size; ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
    }
    return true;
}

// The length of the run of ASCII characters at the start, four at a time.
qsizetype asciiPrefix(const char16_t* chars, qsizetype size)
{
    qsizetype i = 0;
    for (; i + 4 <= size; i += 4) {
        quint64 word;
        std::memcpy(&word, chars + i, 8);
        if (word & 0xFF80FF80FF80FF80ULL)
            break;
    }
    while (i < size && chars[i] < 0x80)
        ++i;
    return i;
}

} // namespace

namespace AnsiText {

qsizetype firstUnencodable(const QString& text)
{
    const auto* chars = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype i = asciiPrefix(chars, text.size()); i < text.size(); ++i) {
        if (chars[i] >= 0x80 && !Cp1252::encodeChar(chars[i]))
            return i;
    }
    return -1;
}

std::optional<QByteArray> encode(const QString& text)
{
    const auto* chars = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype ascii = asciiPrefix(chars, text.size());
    if (ascii == text.size())
        return text.toLatin1();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < ascii; ++i)
        out[i] = static_cast<char>(chars[i]);
    for (qsizetype i = ascii; i < text.size(); ++i) {
        const auto b = Cp1252::encodeChar(chars[i]);
        if (!b)
            return std::nullopt;
        out[i] = *b;
    }
    return bytes;
}

QString decode(const QByteArray& bytes)
{
    // The code page equals Latin-1 but for 0x80 to 0x9F.
    QString text = QString::fromLatin1(bytes);
    if (allAscii(bytes.constData(), bytes.size()))
        return text;
    char16_t* chars = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (chars[i] >= 0x80 && chars[i] <= 0x9F)
            chars[i] = Cp1252::DecodeByte(static_cast<unsigned char>(chars[i]));
    }
    return text;
}

} // namespace AnsiText

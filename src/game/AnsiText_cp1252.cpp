#include "AnsiText.h"

namespace AnsiText {

qsizetype FirstUnencodable(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!Cp1252::EncodeChar(text.at(i).unicode()))
            return i;
    }
    return -1;
}

std::optional<QByteArray> Encode(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const auto b = Cp1252::EncodeChar(c.unicode());
        if (!b)
            return std::nullopt;
        bytes.append(*b);
    }
    return bytes;
}

QString Decode(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes)
        text.append(QChar(Cp1252::DecodeByte(static_cast<unsigned char>(b))));
    return text;
}

} // namespace AnsiText

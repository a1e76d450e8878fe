#include "AnsiText.h"

#include "win32/AnsiCodePage.h"

#include <string>

namespace {

std::wstring toWide(const QString& text)
{
    return text.toStdWString();
}

} // namespace

namespace AnsiText {

qsizetype firstUnencodable(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair is one character of the code page's view.
        const qsizetype n = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        std::string out;
        if (!win32::encodeAnsi(toWide(text.mid(i, n)), out))
            return i;
        i += n - 1;
    }
    return -1;
}

std::optional<QByteArray> encode(const QString& text)
{
    std::string out;
    if (!win32::encodeAnsi(toWide(text), out))
        return std::nullopt;
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

QString decode(const QByteArray& bytes)
{
    return QString::fromStdWString(win32::decodeAnsi(std::string(bytes.constData(), bytes.size())));
}

} // namespace AnsiText

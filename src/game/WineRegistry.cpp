#include "WineRegistry.h"

#include "GamePath.h"
#include "TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace {

const QLatin1String Header("WINE REGISTRY Version 2");

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// A quoted text of the file from just after its opening quote: the escapes
// Wine writes are decoded, and pos is left after the closing quote. Nothing
// when the quote is never closed.
std::optional<QString> ReadQuoted(const QString& line, qsizetype& pos, QChar close = u'"')
{
    QString out;
    while (pos < line.size()) {
        const QChar c = line.at(pos++);
        if (c == close)
            return out;
        if (c != u'\\' || pos >= line.size()) {
            out.append(c);
            continue;
        }
        const QChar e = line.at(pos++);
        switch (e.unicode()) {
        case 'a':
            out.append(QChar(0x07));
            break;
        case 'b':
            out.append(QChar(0x08));
            break;
        case 'e':
            out.append(QChar(0x1b));
            break;
        case 'f':
            out.append(QChar(0x0c));
            break;
        case 'n':
            out.append(QChar(0x0a));
            break;
        case 'r':
            out.append(QChar(0x0d));
            break;
        case 't':
            out.append(QChar(0x09));
            break;
        case 'v':
            out.append(QChar(0x0b));
            break;
        case 'x': {
            // Up to four hex digits: one UTF-16 code unit.
            char16_t unit = 0;
            int digits = 0;
            while (digits < 4 && pos < line.size() && HexDigit(line.at(pos)) >= 0) {
                unit = char16_t(unit * 16 + HexDigit(line.at(pos++)));
                ++digits;
            }
            out.append(digits ? QChar(unit) : QChar(u'x'));
            break;
        }
        default:
            if (e >= u'0' && e <= u'7') {
                // Up to three octal digits.
                char16_t unit = char16_t(e.unicode() - u'0');
                for (int digits = 1; digits < 3 && pos < line.size() && line.at(pos) >= u'0' && line.at(pos) <= u'7';
                     ++digits)
                    unit = char16_t(unit * 8 + (line.at(pos++).unicode() - u'0'));
                out.append(QChar(unit));
            } else {
                out.append(e); // \\, \" and anything unknown stand for themselves
            }
        }
    }
    return std::nullopt;
}

QString CutAtNul(QString text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

QString BinaryNumber(const QByteArray& bytes)
{
    const auto low = bytes.size() > 0 ? quint8(bytes[0]) : 0u;
    const auto high = bytes.size() > 1 ? quint8(bytes[1]) : 0u;
    return QString::number(qint16(quint16(low | (high << 8))));
}

// "hex:02,01" or "hex(N):..." after the equals sign (continuation lines
// already joined): the bytes, or nothing when one is not a hex number.
std::optional<QByteArray> HexBytes(QStringView list)
{
    QByteArray bytes;
    for (QStringView item : list.split(u',')) {
        item = item.trimmed();
        if (item.isEmpty())
            continue;
        bool ok = false;
        const uint b = item.toUInt(&ok, 16);
        if (!ok || b > 0xff)
            return std::nullopt;
        bytes.append(char(b));
    }
    return bytes;
}

// The text of the value data after the equals sign, as Windows would read
// it for this program.
QString ValueText(const QString& data)
{
    qsizetype pos = 0;
    if (data.startsWith(u'"')) {
        pos = 1;
        return CutAtNul(ReadQuoted(data, pos).value_or(QString()));
    }
    if (data.startsWith(QLatin1String("str(1):\""))) {
        pos = 8;
        return CutAtNul(ReadQuoted(data, pos).value_or(QString()));
    }
    static const QRegularExpression hex(QStringLiteral("^hex(?:\\(([0-9a-fA-F]+)\\))?:(.*)$"));
    const QRegularExpressionMatch m = hex.match(data);
    if (!m.hasMatch())
        return {}; // dword:, str(2): and the other types
    const uint type = m.captured(1).isEmpty() ? 3 : m.captured(1).toUInt(nullptr, 16);
    const auto bytes = HexBytes(m.capturedView(2));
    if (!bytes)
        return {};
    if (type == 3)
        return BinaryNumber(*bytes);
    if (type == 1) {
        // A REG_SZ that Wine could not write as text: UTF-16 little-endian.
        QString text;
        for (qsizetype i = 0; i + 1 < bytes->size(); i += 2)
            text.append(QChar(char16_t(quint8(bytes->at(i)) | (quint8(bytes->at(i + 1)) << 8))));
        return CutAtNul(text);
    }
    return {};
}

// A logical line: a hex list goes on after a trailing backslash.
QStringList LogicalLines(const QString& text)
{
    QStringList lines;
    QString pending;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!pending.isEmpty())
            line = pending + line.trimmed();
        if (line.endsWith(u'\\') && line.contains(QLatin1String("=hex"))) {
            pending = line.chopped(1);
            continue;
        }
        pending.clear();
        lines.append(line);
    }
    if (!pending.isEmpty())
        lines.append(pending);
    return lines;
}

// The key's own name and the one of its 32-bit view, which is looked in first
// as the Windows side asks for the 32-bit view.
QStringList KeyNames(const QString& strPath)
{
    QString path = strPath;
    path.replace(u'/', u'\\');
    while (path.startsWith(u'\\'))
        path.remove(0, 1);
    QStringList names;
    const qsizetype slash = path.indexOf(u'\\');
    if (slash > 0 && path.left(slash).compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        names.append(path.left(slash) + QStringLiteral("\\Wow6432Node") + path.mid(slash));
    names.append(path);
    return names;
}

} // namespace

namespace WineRegistry {

QString DefaultPrefix()
{
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (!prefix.isEmpty())
        return prefix;
    return QDir::homePath() + QStringLiteral("/.wine");
}

QString GetString(const QByteArray& systemReg, const QString& strPath, const QString& strValue)
{
    const QStringList lines = LogicalLines(QString::fromUtf8(systemReg));
    if (lines.isEmpty() || !lines.first().startsWith(Header))
        return {};

    const QStringList wanted = KeyNames(strPath);
    // Values of each wanted key, found in the order of the file.
    for (const QString& key : wanted) {
        bool inKey = false;
        for (const QString& line : lines) {
            if (line.startsWith(u'[')) {
                qsizetype pos = 1;
                const auto name = ReadQuoted(line, pos, u']');
                inKey = name && name->compare(key, Qt::CaseInsensitive) == 0;
                continue;
            }
            if (!inKey)
                continue;
            QString name;
            qsizetype pos = 0;
            if (line.startsWith(QLatin1String("@="))) {
                pos = 1;
            } else if (line.startsWith(u'"')) {
                pos = 1;
                const auto quoted = ReadQuoted(line, pos);
                if (!quoted)
                    continue;
                name = *quoted;
            } else {
                continue; // comments, #time= and other metadata
            }
            if (pos >= line.size() || line.at(pos) != u'=')
                continue;
            if (name.compare(strValue, Qt::CaseInsensitive) == 0)
                return ValueText(line.mid(pos + 1).trimmed());
        }
    }
    return {};
}

QString GetStringFromPrefix(const QString& prefix, const QString& strPath, const QString& strValue)
{
    if (prefix.isEmpty())
        return {};
    const FileRead read = ReadFileBytes(prefix + QStringLiteral("/system.reg"));
    return read.ok() ? GetString(read.bytes, strPath, strValue) : QString();
}

QString ToUnixPath(const QString& prefix, const QString& windowsPath)
{
    static const QRegularExpression drivePath(QStringLiteral("^([A-Za-z]):(?:[\\\\/](.*))?$"));
    const QRegularExpressionMatch m = drivePath.match(windowsPath);
    if (!m.hasMatch() || prefix.isEmpty())
        return {};

    const QString letter = m.captured(1).toLower();
    QString drive;
    const QString dosdevices = prefix + QStringLiteral("/dosdevices");
    const QString link = FindEntryIgnoringCase(dosdevices, letter + u':');
    if (!link.isEmpty())
        drive = QFileInfo(dosdevices + u'/' + link).canonicalFilePath();
    else if (letter == u'c' && QFileInfo(prefix + QStringLiteral("/drive_c")).isDir())
        drive = QFileInfo(prefix + QStringLiteral("/drive_c")).canonicalFilePath();
    if (drive.isEmpty())
        return {};

    QString path = drive;
    bool onDisk = true;
    for (const QString& part : m.captured(2).split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts)) {
        QString name = part;
        if (onDisk) {
            const QString found = FindEntryIgnoringCase(path, part);
            onDisk = !found.isEmpty();
            if (onDisk)
                name = found;
        }
        if (!path.endsWith(u'/'))
            path += u'/';
        path += name;
    }
    return path;
}

} // namespace WineRegistry

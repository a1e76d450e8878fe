#include "WineRegistry.h"

#include "GamePath.h"
#include "TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cstring>
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

// Where the header line of a key starts at or after pos ('[' first on its
// line), or -1. Only such a line starts with '[': values start with a quote
// or '@', and Wine writes a line break inside a value as "\n".
qsizetype NextHeader(const QByteArray& file, qsizetype pos)
{
    const char* data = file.constData();
    while (pos < file.size()) {
        const void* found = std::memchr(data + pos, '[', size_t(file.size() - pos));
        if (!found)
            return -1;
        const qsizetype at = static_cast<const char*>(found) - data;
        if (at == 0 || data[at - 1] == '\n')
            return at;
        pos = at + 1;
    }
    return -1;
}

// A key's name as Wine writes it in a header: backslashes doubled, and in
// lower case, which ASCII letters of the file are compared with in any case.
// Empty for a name with other than printable ASCII, which Wine may write as
// escapes.
QByteArray HeaderName(const QString& key)
{
    QByteArray name;
    for (const QChar c : key) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e || c == u'[' || c == u']')
            return {};
        if (c == u'\\')
            name.append('\\');
        name.append(char(c.toLower().unicode()));
    }
    return name;
}

// Whether the header's name at pos (after its '[') is name or a key below it.
bool NamesKeyOrBelow(const QByteArray& file, qsizetype pos, const QByteArray& name)
{
    const qsizetype end = pos + name.size();
    if (end >= file.size() || qstrnicmp(file.constData() + pos, name.constData(), size_t(name.size())) != 0)
        return false;
    return file.at(end) == ']' || (file.at(end) == '\\' && end + 1 < file.size() && file.at(end + 1) == '\\');
}

} // namespace

namespace WineRegistry {

Hive::Hive(const QByteArray& file, const QStringList& keys)
{
    if (!file.startsWith(QByteArrayView(Header.data(), Header.size())))
        return;
    m_file = file;
    // A prefix's registry runs to tens of megabytes of keys and values no
    // one here asks about: given the keys that will be, only their headers
    // and those below them are read, found by a byte search.
    QList<QByteArray> names;
    for (const QString& key : keys) {
        const QByteArray name = HeaderName(key);
        if (name.isEmpty()) {
            names.clear(); // a name that only a full reading finds
            break;
        }
        names.append(name);
    }
    for (qsizetype at = NextHeader(m_file, 0); at >= 0; at = NextHeader(m_file, at + 1)) {
        if (!names.isEmpty() && std::none_of(names.cbegin(), names.cend(), [&](const QByteArray& name) {
                return NamesKeyOrBelow(m_file, at + 1, name);
            }))
            continue;
        qsizetype lineEnd = m_file.indexOf('\n', at);
        if (lineEnd < 0)
            lineEnd = m_file.size();
        const QString line = QString::fromUtf8(QByteArrayView(m_file).sliced(at, lineEnd - at));
        qsizetype pos = 1;
        const auto name = ReadQuoted(line, pos, u']');
        if (name)
            m_keys.insert(name->toLower(), {*name, lineEnd}); // Wine writes each key once
    }
}

QString Hive::value(const QString& key, const QString& name) const
{
    const auto found = m_keys.constFind(key.toLower());
    if (found == m_keys.constEnd())
        return {};
    const qsizetype next = NextHeader(m_file, found->values);
    const qsizetype end = next < 0 ? m_file.size() : next;
    const QString values = QString::fromUtf8(QByteArrayView(m_file).sliced(found->values, end - found->values));
    for (const QString& line : LogicalLines(values)) {
        QString valueName;
        qsizetype pos = 0;
        if (line.startsWith(QLatin1String("@="))) {
            pos = 1;
        } else if (line.startsWith(u'"')) {
            pos = 1;
            const auto quoted = ReadQuoted(line, pos);
            if (!quoted)
                continue;
            valueName = *quoted;
        } else {
            continue; // comments, #time= and other metadata
        }
        if (pos >= line.size() || line.at(pos) != u'=')
            continue;
        if (valueName.compare(name, Qt::CaseInsensitive) == 0)
            return ValueText(line.mid(pos + 1).trimmed());
    }
    return {};
}

QStringList Hive::subkeys(const QString& key) const
{
    // Wine lists only keys that hold values or nothing below them, so a
    // subkey may show only as a part of a deeper key's name.
    const QString parent = key.toLower() + u'\\';
    QStringList names;
    for (auto it = m_keys.constBegin(); it != m_keys.constEnd(); ++it) {
        if (!it.key().startsWith(parent))
            continue;
        const QString child = it->name.mid(parent.size()).section(u'\\', 0, 0);
        if (!child.isEmpty() && !names.contains(child, Qt::CaseInsensitive))
            names.append(child);
    }
    return names;
}

QStringList Bit32KeyNames(const QString& key)
{
    QString path = key;
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

QString DefaultPrefix()
{
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (!prefix.isEmpty())
        return prefix;
    return QDir::homePath() + QStringLiteral("/.wine");
}

QString GetString(const QByteArray& systemReg, const QString& keyPath, const QString& valueName)
{
    const Hive hive(systemReg);
    for (const QString& key : Bit32KeyNames(keyPath)) {
        QString text = hive.value(key, valueName);
        if (!text.isEmpty())
            return text;
    }
    return {};
}

QString GetStringFromPrefix(const QString& prefix, const QString& keyPath, const QString& valueName)
{
    return PrefixRegistry(prefix).value(RegistryRoot::LocalMachine, keyPath, valueName);
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

    return AppendIgnoringCase(drive, m.captured(2));
}

PrefixRegistry::PrefixRegistry(const QString& prefix, RegistryKeys keys) : m_prefix(prefix), m_keys(std::move(keys))
{
    QStringList machine;
    for (const QString& key : std::as_const(m_keys.machine))
        machine.append(Bit32KeyNames(key));
    m_keys.machine = machine;
}

const Hive& PrefixRegistry::hive(RegistryRoot root) const
{
    const bool user = root == RegistryRoot::CurrentUser;
    std::optional<Hive>& hive = user ? m_user : m_machine;
    if (!hive) {
        hive.emplace();
        if (!m_prefix.isEmpty()) {
            const FileRead read = ReadFileBytes(m_prefix + (user ? QStringLiteral("/user.reg") : QStringLiteral("/system.reg")));
            if (read.ok())
                hive.emplace(read.bytes, user ? m_keys.user : m_keys.machine);
        }
    }
    return *hive;
}

QString PrefixRegistry::value(RegistryRoot root, const QString& key, const QString& name) const
{
    if (root == RegistryRoot::CurrentUser)
        return hive(root).value(key, name);
    for (const QString& viewKey : Bit32KeyNames(key)) {
        QString text = hive(root).value(viewKey, name);
        if (!text.isEmpty())
            return text;
    }
    return {};
}

QStringList PrefixRegistry::subkeys(RegistryRoot root, const QString& key) const
{
    if (root == RegistryRoot::CurrentUser)
        return hive(root).subkeys(key);
    QStringList names;
    for (const QString& viewKey : Bit32KeyNames(key)) {
        for (const QString& name : hive(root).subkeys(viewKey)) {
            if (!names.contains(name, Qt::CaseInsensitive))
                names.append(name);
        }
    }
    return names;
}

QString PrefixRegistry::localPath(const QString& recordedPath) const
{
    return ToUnixPath(m_prefix, recordedPath);
}

} // namespace WineRegistry

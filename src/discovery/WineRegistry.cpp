#include "WineRegistry.h"

#include "files/Paths.h"
#include "files/RegularFile.h"
#include "files/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace {

const QLatin1String Header("WINE REGISTRY Version 2");

int hexDigit(QChar c)
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
std::optional<QString> readQuoted(const QString& line, qsizetype& pos, QChar close = u'"')
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
            while (digits < 4 && pos < line.size() && hexDigit(line.at(pos)) >= 0) {
                unit = char16_t(unit * 16 + hexDigit(line.at(pos++)));
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

QString cutAtNul(QString text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

QString binaryNumber(const QByteArray& bytes)
{
    const auto low = bytes.size() > 0 ? quint8(bytes[0]) : 0u;
    const auto high = bytes.size() > 1 ? quint8(bytes[1]) : 0u;
    return QString::number(qint16(quint16(low | (high << 8))));
}

// "hex:02,01" or "hex(N):..." after the equals sign (continuation lines
// already joined): the bytes, or nothing when one is not a hex number.
std::optional<QByteArray> hexBytes(QStringView list)
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
QString valueText(const QString& data)
{
    qsizetype pos = 0;
    if (data.startsWith(u'"')) {
        pos = 1;
        return cutAtNul(readQuoted(data, pos).value_or(QString()));
    }
    if (data.startsWith(QLatin1String("str(1):\""))) {
        pos = 8;
        return cutAtNul(readQuoted(data, pos).value_or(QString()));
    }
    static const QRegularExpression hex(QStringLiteral("^hex(?:\\(([0-9a-fA-F]+)\\))?:(.*)$"));
    const QRegularExpressionMatch m = hex.match(data);
    if (!m.hasMatch())
        return {}; // dword:, str(2): and the other types
    const uint type = m.captured(1).isEmpty() ? 3 : m.captured(1).toUInt(nullptr, 16);
    const auto bytes = hexBytes(m.capturedView(2));
    if (!bytes)
        return {};
    if (type == 3)
        return binaryNumber(*bytes);
    if (type == 1) {
        // A REG_SZ that Wine could not write as text: UTF-16 little-endian.
        QString text;
        for (qsizetype i = 0; i + 1 < bytes->size(); i += 2)
            text.append(QChar(char16_t(quint8(bytes->at(i)) | (quint8(bytes->at(i + 1)) << 8))));
        return cutAtNul(text);
    }
    return {};
}

// A logical line: a hex list goes on after a trailing backslash.
QStringList logicalLines(const QString& text)
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
// line), or -1; the text starts at the start of a line. Only such a line
// starts with '[': values start with a quote or '@', and Wine writes a line
// break inside a value as "\n".
qsizetype nextHeader(QByteArrayView text, qsizetype pos)
{
    const char* data = text.data();
    while (pos < text.size()) {
        const void* found = std::memchr(data + pos, '[', size_t(text.size() - pos));
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
QByteArray headerName(const QString& key)
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

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

namespace WineRegistry {

// Tells, from the bytes of a header, whether it names one of the keys asked
// for or a key below one. Most of a registry's keys share the first part of
// the names asked for (Software\), so the names are sorted by the byte after
// the part they all share, and a header is held against only those that
// agree on it.
class HeaderFilter
{
public:
    explicit HeaderFilter(const QStringList& keys)
    {
        QList<QByteArray> names;
        for (const QString& key : keys) {
            const QByteArray name = headerName(key);
            if (name.isEmpty())
                return; // a name that only a full reading finds: every key is kept
            names.append(name);
        }
        if (names.isEmpty())
            return;
        m_all = false;
        m_shared = names.first();
        for (const QByteArray& name : std::as_const(names)) {
            qsizetype same = 0;
            while (same < m_shared.size() && same < name.size() && m_shared.at(same) == name.at(same))
                ++same;
            m_shared.truncate(same);
        }
        for (const QByteArray& name : std::as_const(names)) {
            if (name.size() == m_shared.size())
                m_whole.append(name);
            else
                m_byNext[quint8(name.at(m_shared.size()))].append(name);
        }
    }

    // Whether to keep the key whose header line goes on from its '[' with
    // the length bytes at name.
    bool keeps(const char* name, qsizetype length) const
    {
        if (m_all)
            return true;
        if (length < m_shared.size() || qstrnicmp(name, m_shared.constData(), size_t(m_shared.size())) != 0)
            return false;
        const auto matches = [&](const QByteArray& wanted) {
            if (length <= wanted.size() || qstrnicmp(name, wanted.constData(), size_t(wanted.size())) != 0)
                return false;
            const char after = name[wanted.size()];
            return after == ']' || (after == '\\' && wanted.size() + 1 < length && name[wanted.size() + 1] == '\\');
        };
        if (std::any_of(m_whole.cbegin(), m_whole.cend(), matches))
            return true;
        if (length == m_shared.size())
            return false;
        const QList<QByteArray>& next = m_byNext[quint8(lowerAscii(name[m_shared.size()]))];
        return std::any_of(next.cbegin(), next.cend(), matches);
    }

private:
    bool m_all = true;
    QByteArray m_shared;                         // what every name asked for starts with
    QList<QByteArray> m_whole;                   // the names that are no more than that
    std::array<QList<QByteArray>, 256> m_byNext; // the others, by their byte after it
};

void Hive::feed(QByteArrayView lines, const HeaderFilter& filter)
{
    qsizetype pos = 0;
    for (;;) {
        const qsizetype at = nextHeader(lines, pos);
        const qsizetype end = at < 0 ? lines.size() : at;
        if (m_current >= 0)
            m_keys[m_current].values.append(lines.sliced(pos, end - pos));
        if (at < 0)
            return;
        m_current = -1;
        qsizetype lineEnd = lines.indexOf('\n', at);
        if (lineEnd < 0)
            lineEnd = lines.size();
        pos = lineEnd;
        if (!filter.keeps(lines.data() + at + 1, lineEnd - at - 1))
            continue;
        const QString line = QString::fromUtf8(lines.sliced(at, lineEnd - at));
        qsizetype quoted = 1;
        const auto name = readQuoted(line, quoted, u']');
        if (!name)
            continue;
        // Wine writes each key once; should a file hold one twice, the last counts.
        const QString lower = name->toLower();
        m_current = m_index.value(lower, -1);
        if (m_current < 0) {
            m_current = m_keys.size();
            m_keys.append({*name, {}});
            m_index.insert(lower, m_current);
        } else {
            m_keys[m_current] = {*name, {}};
        }
    }
}

Hive::Hive(const QByteArray& file, const QStringList& keys)
{
    if (file.startsWith(QByteArrayView(Header.data(), Header.size())))
        feed(file, HeaderFilter(keys));
    m_current = -1;
}

Hive Hive::read(const QString& path, const QStringList& keys)
{
    QFile file;
    const Result<OpenOutcome> opened = openRegularFile(file, path);
    if (!opened.ok() || opened.value() != OpenOutcome::Opened || file.size() > MaxIniBytes)
        return {};
    const HeaderFilter filter(keys);
    Hive hive;
    // A piece the size of a few thousand lines; what follows its last line
    // break waits for the next piece.
    constexpr qsizetype Piece = 256 * 1024;
    QByteArray buffer(Piece, Qt::Uninitialized);
    qsizetype kept = 0;
    qint64 total = 0;
    bool first = true;
    for (;;) {
        if (buffer.size() - kept < Piece / 2)
            buffer.resize(2 * buffer.size()); // a line longer than a piece
        const qint64 got = file.read(buffer.data() + kept, buffer.size() - kept);
        if (got < 0)
            return {};
        total += got;
        if (total > MaxIniBytes) // grown while it was read
            return {};
        const qsizetype filled = kept + qsizetype(got);
        if (first && (filled >= Header.size() || got == 0)) {
            if (!QByteArrayView(buffer.constData(), filled).startsWith(QByteArrayView(Header.data(), Header.size())))
                return {};
            first = false;
        }
        if (got == 0) {
            hive.feed(QByteArrayView(buffer.constData(), filled), filter);
            break;
        }
        // Only the bytes just read can hold a line break not yet seen.
        const qsizetype newEnd = QByteArrayView(buffer.constData() + kept, filled - kept).lastIndexOf('\n');
        const qsizetype lineEnd = newEnd < 0 ? -1 : kept + newEnd;
        if (first || lineEnd < 0) {
            kept = filled;
            continue;
        }
        hive.feed(QByteArrayView(buffer.constData(), lineEnd + 1), filter);
        kept = filled - (lineEnd + 1);
        std::memmove(buffer.data(), buffer.constData() + lineEnd + 1, size_t(kept));
    }
    hive.m_current = -1;
    return hive;
}

QString Hive::value(const QString& key, const QString& name) const
{
    const qsizetype found = m_index.value(key.toLower(), -1);
    if (found < 0)
        return {};
    for (const QString& line : logicalLines(QString::fromUtf8(m_keys.at(found).values))) {
        QString valueName;
        qsizetype pos = 0;
        if (line.startsWith(QLatin1String("@="))) {
            pos = 1;
        } else if (line.startsWith(u'"')) {
            pos = 1;
            const auto quoted = readQuoted(line, pos);
            if (!quoted)
                continue;
            valueName = *quoted;
        } else {
            continue; // comments, #time= and other metadata
        }
        if (pos >= line.size() || line.at(pos) != u'=')
            continue;
        if (valueName.compare(name, Qt::CaseInsensitive) == 0)
            return valueText(line.mid(pos + 1).trimmed());
    }
    return {};
}

QStringList Hive::subkeys(const QString& key) const
{
    // Wine lists only keys that hold values or nothing below them, so a
    // subkey may show only as a part of a deeper key's name.
    const QString parent = key.toLower() + u'\\';
    QStringList names;
    for (auto it = m_index.constBegin(); it != m_index.constEnd(); ++it) {
        if (!it.key().startsWith(parent))
            continue;
        const QString child = m_keys.at(it.value()).name.mid(parent.size()).section(u'\\', 0, 0);
        if (!child.isEmpty() && !names.contains(child, Qt::CaseInsensitive))
            names.append(child);
    }
    return names;
}

QStringList bit32KeyNames(const QString& key)
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

QString defaultPrefix()
{
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (!prefix.isEmpty())
        return prefix;
    return QDir::homePath() + QStringLiteral("/.wine");
}

QString GetString(const QByteArray& systemReg, const QString& keyPath, const QString& valueName)
{
    const Hive hive(systemReg);
    for (const QString& key : bit32KeyNames(keyPath)) {
        QString text = hive.value(key, valueName);
        if (!text.isEmpty())
            return text;
    }
    return {};
}

QString getStringFromPrefix(const QString& prefix, const QString& keyPath, const QString& valueName)
{
    return PrefixRegistry(prefix).value(RegistryRoot::LocalMachine, keyPath, valueName);
}

QString toUnixPath(const QString& prefix, const QString& windowsPath)
{
    static const QRegularExpression drivePath(QStringLiteral("^([A-Za-z]):(?:[\\\\/](.*))?$"));
    const QRegularExpressionMatch m = drivePath.match(windowsPath);
    if (!m.hasMatch() || prefix.isEmpty())
        return {};

    const QString letter = m.captured(1).toLower();
    QString drive;
    const QString dosdevices = prefix + QStringLiteral("/dosdevices");
    const QString link = findEntryIgnoringCase(dosdevices, letter + u':');
    if (!link.isEmpty())
        drive = QFileInfo(dosdevices + u'/' + link).canonicalFilePath();
    else if (letter == u'c' && QFileInfo(prefix + QStringLiteral("/drive_c")).isDir())
        drive = QFileInfo(prefix + QStringLiteral("/drive_c")).canonicalFilePath();
    if (drive.isEmpty())
        return {};

    return appendIgnoringCase(drive, m.captured(2));
}

PrefixRegistry::PrefixRegistry(const QString& prefix, RegistryKeys keys) : m_prefix(prefix), m_keys(std::move(keys))
{
    QStringList machine;
    for (const QString& key : std::as_const(m_keys.machine))
        machine.append(bit32KeyNames(key));
    m_keys.machine = machine;
}

const Hive& PrefixRegistry::hive(RegistryRoot root) const
{
    const bool user = root == RegistryRoot::CurrentUser;
    std::optional<Hive>& hive = user ? m_user : m_machine;
    if (!hive) {
        if (m_prefix.isEmpty())
            hive.emplace();
        else
            hive = Hive::read(m_prefix + (user ? QStringLiteral("/user.reg") : QStringLiteral("/system.reg")),
                              user ? m_keys.user : m_keys.machine);
    }
    return *hive;
}

QString PrefixRegistry::value(RegistryRoot root, const QString& key, const QString& name) const
{
    if (root == RegistryRoot::CurrentUser)
        return hive(root).value(key, name);
    for (const QString& viewKey : bit32KeyNames(key)) {
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
    for (const QString& viewKey : bit32KeyNames(key)) {
        for (const QString& name : hive(root).subkeys(viewKey)) {
            if (!names.contains(name, Qt::CaseInsensitive))
                names.append(name);
        }
    }
    return names;
}

QString PrefixRegistry::localPath(const QString& recordedPath) const
{
    return toUnixPath(m_prefix, recordedPath);
}

} // namespace WineRegistry

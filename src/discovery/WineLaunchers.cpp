#include "WineLaunchers.h"

#include "WineRegistry.h"
#include "files/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

const QLatin1String LutrisNative(".local/share/lutris/games");
const QLatin1String LutrisFlatpak(".var/app/net.lutris.Lutris/data/lutris/games");
const QLatin1String BottlesNative(".local/share/bottles/bottles");
const QLatin1String BottlesFlatpak(".var/app/com.usebottles.bottles/data/bottles/bottles");
const QLatin1String HeroicNative(".config/heroic");
const QLatin1String HeroicFlatpak(".var/app/com.heroicgameslauncher.hgl/config/heroic");

// The entries of a folder in name order: folders, or files ending in suffix.
QStringList entries(const QString& dir, QDir::Filters kind, const QString& suffix = {})
{
    QDir folder(dir);
    if (!suffix.isEmpty())
        folder.setNameFilters({u'*' + suffix});
    return folder.entryList(kind | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

QStringList subFolders(const QString& dir)
{
    QStringList folders;
    for (const QString& name : entries(dir, QDir::Dirs))
        folders.append(dir + u'/' + name);
    return folders;
}

// A launcher's path spelt from the user's point of view: "~" is the home.
QString fromHome(const QString& path, const QString& home)
{
    if (path == u'~')
        return home;
    if (path.startsWith(QLatin1String("~/")))
        return home + path.mid(1);
    return path;
}

QJsonDocument readJson(const QString& path)
{
    const Result<QByteArray> read = readFileBytes(path);
    return read.ok() ? QJsonDocument::fromJson(read.value()) : QJsonDocument();
}

qsizetype indentation(QStringView line)
{
    qsizetype depth = 0;
    while (depth < line.size() && line.at(depth) == u' ')
        ++depth;
    return depth;
}

// The key of a "key: value" line, and in rest what follows its colon;
// nothing when the line is no such pair.
QString keyOfLine(QStringView line, QStringView& rest)
{
    qsizetype colon = -1;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == u':' && (i + 1 == line.size() || line.at(i + 1) == u' ')) {
            colon = i;
            break;
        }
    }
    if (colon <= 0)
        return {};
    rest = line.mid(colon + 1).trimmed();
    QStringView key = line.left(colon).trimmed();
    if (key.size() >= 2 && (key.front() == u'"' || key.front() == u'\'') && key.back() == key.front())
        key = key.mid(1, key.size() - 2);
    return key.toString();
}

// A scalar's text from its first character on, its lines already folded into one.
QString scalarText(QStringView text)
{
    if (text.isEmpty())
        return {};
    const QChar first = text.front();
    if (first == u'\'') {
        QString out;
        for (qsizetype i = 1; i < text.size(); ++i) {
            if (text.at(i) != u'\'') {
                out.append(text.at(i));
            } else if (i + 1 < text.size() && text.at(i + 1) == u'\'') {
                out.append(u'\'');
                ++i;
            } else {
                return out;
            }
        }
        return {}; // never closed
    }
    if (first == u'"') {
        QString out;
        for (qsizetype i = 1; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == u'"')
                return out;
            if (c != u'\\' || i + 1 >= text.size()) {
                out.append(c);
                continue;
            }
            const QChar e = text.at(++i);
            if (e == u'n')
                out.append(u'\n');
            else if (e == u't')
                out.append(u'\t');
            else if ((e == u'x' || e == u'u' || e == u'U') && i + 1 < text.size()) {
                const qsizetype digits = e == u'x' ? 2 : e == u'u' ? 4 : 8;
                bool ok = false;
                const uint code = text.mid(i + 1, digits).toUInt(&ok, 16);
                if (!ok)
                    return {};
                out.append(QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1));
                i += digits;
            } else {
                out.append(e); // \\, \", \/ and the rest stand for themselves
            }
        }
        return {}; // never closed
    }
    // Block scalars, flow collections, anchors, aliases and tags: none of
    // the values read here is written that way.
    if (QStringView(u"|>{[&*!%@`").contains(first))
        return {};
    const qsizetype comment = text.indexOf(QLatin1String(" #"));
    return (comment < 0 ? text : text.left(comment)).trimmed().toString();
}

QList<LutrisGame> lutrisGamesIn(const QString& dir, const QString& home, bool flatpak)
{
    static const QRegularExpression stamp(QStringLiteral("-\\d{9,}$"));
    QList<LutrisGame> games;
    for (const QString& file : entries(dir, QDir::Files, QStringLiteral(".yml"))) {
        const Result<QByteArray> read = readFileBytes(dir + u'/' + file);
        if (!read.ok())
            continue;
        LutrisGame game;
        game.config = file.chopped(4);
        game.slug = QString(game.config).remove(stamp);
        game.flatpak = flatpak;
        game.prefix = fromHome(yamlScalar(read.value(), QStringLiteral("game"), QStringLiteral("prefix")), home);
        QString exe = fromHome(yamlScalar(read.value(), QStringLiteral("game"), QStringLiteral("exe")), home);
        if (!exe.isEmpty() && QDir::isRelativePath(exe)) {
            // A Windows path names a file on a drive of the prefix (none when
            // the prefix has no such drive); anything else relative lies
            // inside the prefix.
            if (exe.size() >= 2 && exe.at(1) == u':')
                exe = WineRegistry::toUnixPath(game.prefix, exe);
            else
                exe = game.prefix.isEmpty() ? QString() : game.prefix + u'/' + exe;
        }
        game.exe = exe.isEmpty() ? exe : QDir::cleanPath(QDir::fromNativeSeparators(exe));
        if (!game.prefix.isEmpty())
            game.prefix = QDir::cleanPath(game.prefix);
        games.append(game);
    }
    return games;
}

QList<Bottle> bottlesIn(const QString& dir, bool flatpak)
{
    QList<Bottle> bottles;
    for (const QString& path : subFolders(dir)) {
        Bottle bottle;
        bottle.path = path;
        bottle.flatpak = flatpak;
        const Result<QByteArray> read = readFileBytes(path + QStringLiteral("/bottle.yml"));
        if (read.ok())
            bottle.name = yamlScalar(read.value(), {}, QStringLiteral("Name"));
        if (bottle.name.isEmpty())
            bottle.name = QFileInfo(path).fileName();
        bottles.append(bottle);
    }
    return bottles;
}

} // namespace

// Lutris and Bottles write their settings as YAML, but only a handful of
// scalars of them are read here; a YAML library would be a new dependency
// for that, so this reads block mappings only, as both write them.
QString yamlScalar(const QByteArray& yaml, const QString& section, const QString& key)
{
    const QStringList lines = QString::fromUtf8(yaml).split(u'\n');
    bool inSection = section.isEmpty();
    qsizetype indent = section.isEmpty() ? 0 : -1; // of the section's keys, once known
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringView line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype depth = indentation(line);
        const QStringView body = line.mid(depth);
        if (body.isEmpty() || body.startsWith(u'#') || body.startsWith(QLatin1String("---")))
            continue;
        QStringView rest;
        const QString name = keyOfLine(body, rest);
        if (depth == 0 && !section.isEmpty()) {
            inSection = name == section && rest.isEmpty();
            continue;
        }
        if (!inSection)
            continue;
        if (indent < 0)
            indent = depth;
        if (depth != indent || name != key)
            continue;
        if (rest.isEmpty())
            return {}; // a mapping or list below, or nothing
        // A long scalar goes on in the lines below that are indented deeper,
        // each joined to it by a space.
        QString text = rest.toString();
        for (qsizetype j = i + 1; j < lines.size(); ++j) {
            QStringView next = lines.at(j);
            if (next.endsWith(u'\r'))
                next.chop(1);
            if (next.trimmed().isEmpty() || indentation(next) <= depth)
                break;
            text += u' ' + next.trimmed().toString();
        }
        return scalarText(text);
    }
    return {};
}

QList<LutrisGame> lutrisGames(const QString& home)
{
    return lutrisGamesIn(home + u'/' + LutrisNative, home, false) +
           lutrisGamesIn(home + u'/' + LutrisFlatpak, home, true);
}

QList<Bottle> bottles(const QString& home)
{
    return bottlesIn(home + u'/' + BottlesNative, false) + bottlesIn(home + u'/' + BottlesFlatpak, true);
}

QStringList crossOverBottles(const QString& home)
{
    return subFolders(home + QStringLiteral("/.cxoffice"));
}

QStringList playOnLinuxPrefixes(const QString& home)
{
    return subFolders(home + QStringLiteral("/.PlayOnLinux/wineprefix"));
}

QList<HeroicGame> heroicGogGames(const QString& home)
{
    QList<HeroicGame> games;
    for (const QLatin1String config : {HeroicNative, HeroicFlatpak}) {
        const QJsonArray installed = readJson(home + u'/' + config + QStringLiteral("/gog_store/installed.json"))
                                         .object()
                                         .value(u"installed")
                                         .toArray();
        for (const QJsonValue& value : installed) {
            const QJsonObject entry = value.toObject();
            const QString folder = entry.value(u"install_path").toString();
            if (!folder.isEmpty())
                games.append(
                    {entry.value(u"appName").toString(), QStringLiteral("gog"), folder, {}, config == HeroicFlatpak});
        }
    }
    return games;
}

QList<HeroicGame> heroicSideloadGames(const QString& home)
{
    QList<HeroicGame> games;
    for (const QLatin1String config : {HeroicNative, HeroicFlatpak}) {
        const QJsonArray list = readJson(home + u'/' + config + QStringLiteral("/sideload_apps/library.json"))
                                    .object()
                                    .value(u"games")
                                    .toArray();
        for (const QJsonValue& value : list) {
            const QJsonObject entry = value.toObject();
            HeroicGame game;
            game.appName = entry.value(u"app_name").toString();
            game.runner = entry.value(u"runner").toString(QStringLiteral("sideload"));
            game.exe = fromHome(entry.value(u"install").toObject().value(u"executable").toString(), home);
            game.folder = fromHome(entry.value(u"folder_name").toString(), home);
            if (game.folder.isEmpty() && !game.exe.isEmpty())
                game.folder = QFileInfo(game.exe).path();
            game.flatpak = config == HeroicFlatpak;
            if (!game.folder.isEmpty() || !game.exe.isEmpty())
                games.append(game);
        }
    }
    return games;
}

QList<HeroicPrefix> heroicPrefixes(const QString& home)
{
    QList<HeroicPrefix> prefixes;
    for (const QLatin1String config : {HeroicNative, HeroicFlatpak}) {
        const QString dir = home + u'/' + config + QStringLiteral("/GamesConfig");
        for (const QString& file : entries(dir, QDir::Files, QStringLiteral(".json"))) {
            const QJsonObject settings = readJson(dir + u'/' + file).object();
            // One object by the game's name, beside "version" and "explicit".
            for (auto it = settings.constBegin(); it != settings.constEnd(); ++it) {
                const QString prefix = fromHome(it.value().toObject().value(u"winePrefix").toString(), home);
                if (!prefix.isEmpty())
                    prefixes.append({it.key(), prefix, config == HeroicFlatpak});
            }
        }
    }
    for (const QString& entry : subFolders(home + QStringLiteral("/Games/Heroic/Prefixes"))) {
        if (isWinePrefix(entry)) {
            prefixes.append({{}, entry, false});
            continue;
        }
        for (const QString& prefix : subFolders(entry))
            prefixes.append({{}, prefix, false});
    }
    return prefixes;
}

QStringList foldersOfExecutable(const QString& exe)
{
    if (exe.isEmpty())
        return {};
    const QString folder = QFileInfo(QDir::fromNativeSeparators(exe)).path();
    const QString parent = QFileInfo(folder).path();
    return parent == folder ? QStringList{folder} : QStringList{parent, folder};
}

bool isWinePrefix(const QString& folder)
{
    return QFileInfo(folder + QStringLiteral("/system.reg")).isFile() ||
           QFileInfo(folder + QStringLiteral("/drive_c")).isDir();
}

#include "GameLaunch.h"

#include "GameDiscovery.h"
#include "SteamDiscovery.h"
#include "WineLaunchers.h"
#include "WineRegistry.h"
#include "files/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

// One spelling for each folder, links resolved, so that a folder reached
// through a link or a library listed under another name still matches.
QString canonicalPath(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir::fromNativeSeparators(path)) : canonical;
}

// Windows ignores letter case in names; Linux does not.
bool isWithin(const QString& path, const QString& folder, Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    if (folder.isEmpty())
        return false;
    return path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/', cs);
}

// A Steam root, and the Wine prefix of a Steam for Windows, whose library
// lists name Windows paths.
struct SteamRoot
{
    QString root;
    QString prefix;
};

// Whether the game lies in steamapps/common of a library one of the roots
// lists: only there is it the copy that Steam starts.
bool inSteamLibrary(const QString& game, const QList<SteamRoot>& roots, Qt::CaseSensitivity cs)
{
    QStringList seen;
    for (const SteamRoot& root : roots) {
        if (!QFileInfo(root.root).isDir())
            continue;
        for (const QString& library : steamLibraries(root.root, root.prefix)) {
            const QString common = canonicalPath(appendIgnoringCase(library, QStringLiteral("steamapps/common")));
            if (seen.contains(common, cs))
                continue;
            seen.append(common);
            if (QFileInfo(common).isDir() && isWithin(game, common, cs))
                return true;
        }
    }
    return false;
}

// The Steam for Windows that a prefix's registry records.
void addSteamOfPrefix(QList<SteamRoot>& roots, const QString& prefix)
{
    if (prefix.isEmpty())
        return;
    const WineRegistry::PrefixRegistry registry(
        prefix, {discoveryKeys(RegistryRoot::LocalMachine), discoveryKeys(RegistryRoot::CurrentUser)});
    for (const QString& root : steamRootsInRegistry(registry))
        roots.append({root, prefix});
}

// A folder merely named drive_c is no prefix: a prefix has its registry, or
// at least the links of its drives.
bool isPrefix(const QString& folder)
{
    return QFileInfo(folder + QStringLiteral("/system.reg")).isFile() ||
           QFileInfo(folder + QStringLiteral("/dosdevices")).isDir();
}

// The Wine prefix whose drive_c holds the game, or empty text.
QString prefixOfDriveC(const QString& game)
{
    QString path = game;
    for (;;) {
        const QFileInfo info(path);
        const QString parent = info.path();
        if (parent == path || parent.isEmpty())
            return {};
        if (info.fileName().compare(QLatin1String("drive_c"), Qt::CaseInsensitive) == 0 && isPrefix(parent))
            return parent;
        path = parent;
    }
}

// Whether a drive of the prefix other than the one mapping the whole file
// system holds the game. Every prefix maps "/" as Z:, which would make any
// folder at all a Wine install.
bool mappedByPrefix(const QString& game, const QString& prefix)
{
    static const QRegularExpression driveName(QStringLiteral("^[A-Za-z]:$"));
    const QDir dosdevices(prefix + QStringLiteral("/dosdevices"));
    for (const QString& entry : dosdevices.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        if (!driveName.match(entry).hasMatch())
            continue;
        const QString drive = QFileInfo(dosdevices.filePath(entry)).canonicalFilePath();
        if (drive.isEmpty() || drive == QLatin1String("/"))
            continue;
        if (game == drive || isWithin(game, drive))
            return true;
    }
    return false;
}

QString findProgram(const LaunchContext& context, const QString& name)
{
    return context.findProgram ? context.findProgram(name) : QString();
}

GameLaunch throughUrl(GameLaunch::Source source, const QUrl& url)
{
    GameLaunch launch;
    launch.kind = GameLaunch::Kind::Url;
    launch.source = source;
    launch.url = url;
    return launch;
}

QString missingExecutable(const QString& game)
{
    return QStringLiteral("There is no System%1DeusEx.exe in %2. Choose the folder the game is installed in as the "
                          "Deus Ex Path.")
        .arg(pathSeparator(), pathInMessage(QDir::toNativeSeparators(game)));
}

Result<GameLaunch> underWine(const QString& game, const QString& prefix, const LaunchContext& context)
{
    const QString exe = appendIgnoringCase(game, QStringLiteral("System/DeusEx.exe"));
    if (!gameFileExists(exe))
        return Failure{missingExecutable(game)};
    const QString wine = findProgram(context, QStringLiteral("wine"));
    if (wine.isEmpty()) {
        return Failure{QStringLiteral("The game is installed in the Wine prefix %1, but Wine is not installed: no "
                                      "\"wine\" command was found. Install Wine and try again.")
                           .arg(pathInMessage(prefix))};
    }
    GameLaunch launch;
    launch.kind = GameLaunch::Kind::Program;
    launch.source = GameLaunch::Source::WinePrefix;
    launch.program = wine;
    // Relative to its folder, which the game takes for its own: it finds its
    // packages and settings through paths relative to System.
    launch.arguments = QStringList{QFileInfo(exe).fileName()};
    launch.environment.insert(QStringLiteral("WINEPREFIX"), prefix);
    launch.workingDirectory = QFileInfo(exe).path();
    return launch;
}

// Bottles runs the game with the bottle's own Wine and settings, through its
// command line; the Flatpak's command runs inside the Flatpak, which sees
// its bottles at the same paths.
Result<GameLaunch> inBottle(const QString& game, const Bottle& bottle, const LaunchContext& context)
{
    const QString exe = appendIgnoringCase(game, QStringLiteral("System/DeusEx.exe"));
    if (!gameFileExists(exe))
        return Failure{missingExecutable(game)};
    const QString command = bottle.flatpak ? QStringLiteral("flatpak") : QStringLiteral("bottles-cli");
    const QString program = findProgram(context, command);
    if (program.isEmpty()) {
        return Failure{QStringLiteral("The game is installed in the bottle %1 of Bottles, but no \"%2\" command "
                                      "was found to start it with. Start the game from Bottles.")
                           .arg(bottle.name, command)};
    }
    GameLaunch launch;
    launch.kind = GameLaunch::Kind::Program;
    launch.source = GameLaunch::Source::bottles;
    launch.program = program;
    if (bottle.flatpak) {
        launch.arguments = QStringList{QStringLiteral("run"), QStringLiteral("--command=bottles-cli"),
                                       QStringLiteral("com.usebottles.bottles")};
    }
    launch.arguments +=
        QStringList{QStringLiteral("run"), QStringLiteral("-b"), bottle.name, QStringLiteral("-e"), exe};
    launch.workingDirectory = QFileInfo(exe).path();
    return launch;
}

Result<GameLaunch> onWindows(const QString& game)
{
    const QString exe = appendIgnoringCase(game, QStringLiteral("System/DeusEx.exe"));
    if (!gameFileExists(exe))
        return Failure{missingExecutable(game)};
    GameLaunch launch;
    launch.kind = GameLaunch::Kind::Program;
    launch.source = GameLaunch::Source::Windows;
    launch.program = QDir::toNativeSeparators(exe);
    launch.workingDirectory = QDir::toNativeSeparators(QFileInfo(exe).path());
    return launch;
}

} // namespace

QUrl steamLaunchUrl()
{
    return QUrl(QStringLiteral("steam://rungameid/%1").arg(DeusExSteamAppId));
}

Result<GameLaunch> workOutLaunch(const QString& gameDirectory, const LaunchContext& context)
{
    if (gameDirectory.isEmpty())
        return Failure{QStringLiteral("No Deus Ex directory is known.")};
    const QString game = canonicalPath(gameDirectory);

    if (context.system == HostSystem::Windows) {
        QList<SteamRoot> roots;
        for (const QString& root : context.steamRoots)
            roots.append({root, {}});
        if (inSteamLibrary(game, roots, Qt::CaseInsensitive))
            return throughUrl(GameLaunch::Source::Steam, steamLaunchUrl());
        return onWindows(game);
    }

    // Steam for Linux, then a Steam for Windows in the game's own prefix or
    // in the user's.
    const QString prefix = prefixOfDriveC(game);
    QList<SteamRoot> roots;
    for (const QString& root : steamRoots(context.home))
        roots.append({root, {}});
    addSteamOfPrefix(roots, prefix);
    if (!context.defaultPrefix.isEmpty() && canonicalPath(context.defaultPrefix) != prefix)
        addSteamOfPrefix(roots, context.defaultPrefix);
    if (inSteamLibrary(game, roots, Qt::CaseSensitive))
        return throughUrl(GameLaunch::Source::Steam, steamLaunchUrl());

    const auto isGame = [&game](const QString& folder) { return !folder.isEmpty() && canonicalPath(folder) == game; };
    const auto runsGame = [&isGame](const QString& exe) {
        const QStringList folders = foldersOfExecutable(exe);
        return std::any_of(folders.begin(), folders.end(), isGame);
    };

    for (const HeroicGame& heroic : heroicGogGames(context.home) + heroicSideloadGames(context.home)) {
        if (!heroic.appName.isEmpty() && !heroic.runner.isEmpty() && (isGame(heroic.folder) || runsGame(heroic.exe))) {
            return throughUrl(GameLaunch::Source::Heroic,
                              QUrl(QStringLiteral("heroic://launch/%1/%2").arg(heroic.runner, heroic.appName)));
        }
    }

    const QList<LutrisGame> lutris = lutrisGames(context.home);
    for (const LutrisGame& config : lutris) {
        if (!config.slug.isEmpty() && runsGame(config.exe))
            return throughUrl(GameLaunch::Source::Lutris, QUrl(QStringLiteral("lutris:rungame/") + config.slug));
    }

    const QList<Bottle> managed = bottles(context.home);
    for (const Bottle& bottle : managed) {
        if (isWithin(game, canonicalPath(bottle.path)))
            return inBottle(game, bottle, context);
    }

    if (!prefix.isEmpty())
        return underWine(game, prefix, context);

    // The user's own prefix and those the launchers keep may map a drive to
    // the game's folder.
    QStringList prefixes{context.defaultPrefix};
    for (const LutrisGame& config : lutris)
        prefixes.append(config.prefix);
    for (const Bottle& bottle : managed)
        prefixes.append(bottle.path);
    for (const HeroicPrefix& heroic : heroicPrefixes(context.home))
        prefixes.append(heroic.path);
    prefixes += crossOverBottles(context.home) + playOnLinuxPrefixes(context.home);
    for (const QString& candidate : prefixes) {
        if (!candidate.isEmpty() && mappedByPrefix(game, canonicalPath(candidate)))
            return underWine(game, canonicalPath(candidate), context);
    }

    return Failure{QStringLiteral("No Steam library, no game of Heroic or Lutris, no bottle of Bottles and no Wine "
                                  "prefix holds %1, so it is not known what starts the game there. Start the game "
                                  "the way it was installed.")
                       .arg(pathInMessage(QDir::toNativeSeparators(gameDirectory)))};
}

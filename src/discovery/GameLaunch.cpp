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
QString Canonical(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir::fromNativeSeparators(path)) : canonical;
}

// Windows ignores letter case in names; Linux does not.
bool IsWithin(const QString& path, const QString& folder, Qt::CaseSensitivity cs = Qt::CaseSensitive)
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
bool InSteamLibrary(const QString& game, const QList<SteamRoot>& roots, Qt::CaseSensitivity cs)
{
    QStringList seen;
    for (const SteamRoot& root : roots) {
        if (!QFileInfo(root.root).isDir())
            continue;
        for (const QString& library : SteamLibraries(root.root, root.prefix)) {
            const QString common = Canonical(AppendIgnoringCase(library, QStringLiteral("steamapps/common")));
            if (seen.contains(common, cs))
                continue;
            seen.append(common);
            if (QFileInfo(common).isDir() && IsWithin(game, common, cs))
                return true;
        }
    }
    return false;
}

// The Steam for Windows that a prefix's registry records.
void AddSteamOfPrefix(QList<SteamRoot>& roots, const QString& prefix)
{
    if (prefix.isEmpty())
        return;
    const WineRegistry::PrefixRegistry registry(
        prefix, {DiscoveryKeys(RegistryRoot::LocalMachine), DiscoveryKeys(RegistryRoot::CurrentUser)});
    for (const QString& root : SteamRootsInRegistry(registry))
        roots.append({root, prefix});
}

// A folder merely named drive_c is no prefix: a prefix has its registry, or
// at least the links of its drives.
bool IsPrefix(const QString& folder)
{
    return QFileInfo(folder + QStringLiteral("/system.reg")).isFile() ||
           QFileInfo(folder + QStringLiteral("/dosdevices")).isDir();
}

// The Wine prefix whose drive_c holds the game, or empty text.
QString PrefixOfDriveC(const QString& game)
{
    QString path = game;
    for (;;) {
        const QFileInfo info(path);
        const QString parent = info.path();
        if (parent == path || parent.isEmpty())
            return {};
        if (info.fileName().compare(QLatin1String("drive_c"), Qt::CaseInsensitive) == 0 && IsPrefix(parent))
            return parent;
        path = parent;
    }
}

// Whether a drive of the prefix other than the one mapping the whole file
// system holds the game. Every prefix maps "/" as Z:, which would make any
// folder at all a Wine install.
bool MappedByPrefix(const QString& game, const QString& prefix)
{
    static const QRegularExpression driveName(QStringLiteral("^[A-Za-z]:$"));
    const QDir dosdevices(prefix + QStringLiteral("/dosdevices"));
    for (const QString& entry : dosdevices.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        if (!driveName.match(entry).hasMatch())
            continue;
        const QString drive = QFileInfo(dosdevices.filePath(entry)).canonicalFilePath();
        if (drive.isEmpty() || drive == QLatin1String("/"))
            continue;
        if (game == drive || IsWithin(game, drive))
            return true;
    }
    return false;
}

QString FindProgram(const LaunchContext& context, const QString& name)
{
    return context.findProgram ? context.findProgram(name) : QString();
}

GameLaunch ThroughUrl(GameLaunch::Source source, const QUrl& url)
{
    GameLaunch launch;
    launch.kind = GameLaunch::Kind::Url;
    launch.source = source;
    launch.url = url;
    return launch;
}

QString MissingExecutable(const QString& game)
{
    return QStringLiteral("There is no System%1DeusEx.exe in %2. Choose the folder the game is installed in as the "
                          "Deus Ex Path.")
        .arg(PathSeparator(), PathInMessage(QDir::toNativeSeparators(game)));
}

Result<GameLaunch> UnderWine(const QString& game, const QString& prefix, const LaunchContext& context)
{
    const QString exe = AppendIgnoringCase(game, QStringLiteral("System/DeusEx.exe"));
    if (!GameFileExists(exe))
        return Failure{MissingExecutable(game)};
    const QString wine = FindProgram(context, QStringLiteral("wine"));
    if (wine.isEmpty()) {
        return Failure{QStringLiteral("The game is installed in the Wine prefix %1, but Wine is not installed: no "
                                      "\"wine\" command was found. Install Wine and try again.")
                           .arg(PathInMessage(prefix))};
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
Result<GameLaunch> InBottle(const QString& game, const Bottle& bottle, const LaunchContext& context)
{
    const QString exe = AppendIgnoringCase(game, QStringLiteral("System/DeusEx.exe"));
    if (!GameFileExists(exe))
        return Failure{MissingExecutable(game)};
    const QString command = bottle.flatpak ? QStringLiteral("flatpak") : QStringLiteral("bottles-cli");
    const QString program = FindProgram(context, command);
    if (program.isEmpty()) {
        return Failure{QStringLiteral("The game is installed in the bottle %1 of Bottles, but no \"%2\" command "
                                      "was found to start it with. Start the game from Bottles.")
                           .arg(bottle.name, command)};
    }
    GameLaunch launch;
    launch.kind = GameLaunch::Kind::Program;
    launch.source = GameLaunch::Source::Bottles;
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

Result<GameLaunch> OnWindows(const QString& game)
{
    const QString exe = AppendIgnoringCase(game, QStringLiteral("System/DeusEx.exe"));
    if (!GameFileExists(exe))
        return Failure{MissingExecutable(game)};
    GameLaunch launch;
    launch.kind = GameLaunch::Kind::Program;
    launch.source = GameLaunch::Source::Windows;
    launch.program = QDir::toNativeSeparators(exe);
    launch.workingDirectory = QDir::toNativeSeparators(QFileInfo(exe).path());
    return launch;
}

} // namespace

QUrl SteamLaunchUrl()
{
    return QUrl(QStringLiteral("steam://rungameid/%1").arg(DeusExSteamAppId));
}

Result<GameLaunch> WorkOutLaunch(const QString& gameDirectory, const LaunchContext& context)
{
    if (gameDirectory.isEmpty())
        return Failure{QStringLiteral("No Deus Ex directory is known.")};
    const QString game = Canonical(gameDirectory);

    if (context.system == HostSystem::Windows) {
        QList<SteamRoot> roots;
        for (const QString& root : context.steamRoots)
            roots.append({root, {}});
        if (InSteamLibrary(game, roots, Qt::CaseInsensitive))
            return ThroughUrl(GameLaunch::Source::Steam, SteamLaunchUrl());
        return OnWindows(game);
    }

    // Steam for Linux, then a Steam for Windows in the game's own prefix or
    // in the user's.
    const QString prefix = PrefixOfDriveC(game);
    QList<SteamRoot> steamRoots;
    for (const QString& root : SteamRoots(context.home))
        steamRoots.append({root, {}});
    AddSteamOfPrefix(steamRoots, prefix);
    if (!context.defaultPrefix.isEmpty() && Canonical(context.defaultPrefix) != prefix)
        AddSteamOfPrefix(steamRoots, context.defaultPrefix);
    if (InSteamLibrary(game, steamRoots, Qt::CaseSensitive))
        return ThroughUrl(GameLaunch::Source::Steam, SteamLaunchUrl());

    const auto isGame = [&game](const QString& folder) { return !folder.isEmpty() && Canonical(folder) == game; };
    const auto runsGame = [&isGame](const QString& exe) {
        const QStringList folders = FoldersOfExecutable(exe);
        return std::any_of(folders.begin(), folders.end(), isGame);
    };

    for (const HeroicGame& heroic : HeroicGogGames(context.home) + HeroicSideloadGames(context.home)) {
        if (!heroic.appName.isEmpty() && !heroic.runner.isEmpty() && (isGame(heroic.folder) || runsGame(heroic.exe))) {
            return ThroughUrl(GameLaunch::Source::Heroic,
                              QUrl(QStringLiteral("heroic://launch/%1/%2").arg(heroic.runner, heroic.appName)));
        }
    }

    const QList<LutrisGame> lutris = LutrisGames(context.home);
    for (const LutrisGame& config : lutris) {
        if (!config.slug.isEmpty() && runsGame(config.exe))
            return ThroughUrl(GameLaunch::Source::Lutris, QUrl(QStringLiteral("lutris:rungame/") + config.slug));
    }

    const QList<Bottle> bottles = Bottles(context.home);
    for (const Bottle& bottle : bottles) {
        if (IsWithin(game, Canonical(bottle.path)))
            return InBottle(game, bottle, context);
    }

    if (!prefix.isEmpty())
        return UnderWine(game, prefix, context);

    // The user's own prefix and those the launchers keep may map a drive to
    // the game's folder.
    QStringList prefixes{context.defaultPrefix};
    for (const LutrisGame& config : lutris)
        prefixes.append(config.prefix);
    for (const Bottle& bottle : bottles)
        prefixes.append(bottle.path);
    for (const HeroicPrefix& heroic : HeroicPrefixes(context.home))
        prefixes.append(heroic.path);
    prefixes += CrossOverBottles(context.home) + PlayOnLinuxPrefixes(context.home);
    for (const QString& candidate : prefixes) {
        if (!candidate.isEmpty() && MappedByPrefix(game, Canonical(candidate)))
            return UnderWine(game, Canonical(candidate), context);
    }

    return Failure{QStringLiteral("No Steam library, no game of Heroic or Lutris, no bottle of Bottles and no Wine "
                                  "prefix holds %1, so it is not known what starts the game there. Start the game "
                                  "the way it was installed.")
                       .arg(PathInMessage(QDir::toNativeSeparators(gameDirectory)))};
}

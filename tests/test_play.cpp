// Play: the rule that works out how an install is started, and the command
// that saves the mod and starts the game through the window.

#include "support/GameFixture.h"
#include "support/ScopedEnvironment.h"
#include "support/TestWindow.h"

#include "discovery/GameLaunch.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

using Kind = ScriptedModalInteraction::Asked::Kind;
using Files = QMap<QString, QByteArray>;
using Links = QMap<QString, QString>;
using Environment = QMap<QString, QString>;

// What a case of launchOfInstall expects: a launch of a kind, or none (and
// why).
enum class ExpectedLaunch
{
    None,
    Url,
    Program,
};
Q_DECLARE_METATYPE(ExpectedLaunch)
Q_DECLARE_METATYPE(HostSystem)

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), qPrintable(path));
}

// A game the loader is set up in: the executable, its settings naming the
// loader, the loader's package.
void makeGame(const QString& dir, const QString& exe = QStringLiteral("System/DeusEx.exe"))
{
    writeFile(dir + u'/' + exe, "MZ");
    writeFile(QFileInfo(dir + u'/' + exe).path() + QStringLiteral("/DeusEx.ini"),
              "[Engine.Engine]\r\nDefaultGame=Quenlar.MLGameInfo\r\n");
    writeFile(QFileInfo(dir + u'/' + exe).path() + QStringLiteral("/Quenlar.u"), "package");
}

// The files and links of a layout below root; "@ROOT@" in a file's text
// stands for root as the launchers' own files spell it.
void layOut(const QString& root, const Files& files, const Links& links)
{
    for (auto it = files.constBegin(); it != files.constEnd(); ++it)
        writeFile(root + u'/' + it.key(), QByteArray(it.value()).replace("@ROOT@", root.toUtf8()));
    for (auto it = links.constBegin(); it != links.constEnd(); ++it) {
        QDir().mkpath(QFileInfo(root + u'/' + it.key()).path());
        const QString target = it.value().startsWith(u'/') ? it.value() : root + u'/' + it.value();
        QVERIFY(QFile::link(target, root + u'/' + it.key()));
    }
}

const QByteArray MachineRegistry = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";

// A Steam for Windows installed in a prefix records its folder for the user.
const QByteArray SteamInPrefixRegistry = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-"
                                         "1000\n\n[Software\\\\Valve\\\\Steam] 1700000000\n\"SteamPath\"=\"c:/program "
                                         "files (x86)/steam\"\n";

QByteArray HeroicInstalled(const QByteArray& folder)
{
    return "{\"installed\": [{\"appName\": \"1207658919\", \"platform\": \"windows\", \"install_path\": "
           "\"@ROOT@/" +
           folder + "\"}]}";
}

QByteArray HeroicSideloaded(const QByteArray& folder)
{
    return "{\"games\": [{\"runner\": \"sideload\", \"app_name\": \"dxmods4\", \"folder_name\": \"@ROOT@/" + folder +
           "\", \"install\": {\"executable\": \"@ROOT@/" + folder + "/System/DeusEx.exe\"}}]}";
}

QByteArray LutrisConfig(const QByteArray& folder)
{
    return "game:\n  exe: @ROOT@/" + folder + "/System/DeusEx.exe\n  prefix: @ROOT@/pfx\nname: Deus Ex\nrunner: wine\n";
}

const QByteArray OtherLibrary =
    "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"@ROOT@/games/Library\"\n\t}\n}\n";

} // namespace

class TestPlay : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void launchOfInstall_data();
    void launchOfInstall();

    void commandsAndShortcut();
    void playStartsTheGame_data();
    void playStartsTheGame();
    void playAsksForTheLoaderSetUp();
    void nothingStartsWhenSaveDoesNot_data();
    void nothingStartsWhenSaveDoesNot();
    void playSavesWhenNothingCanStartTheGame();
    void programThatCannotStart();

private:
    QTemporaryDir m_home;
};

void TestPlay::initTestCase()
{
    QVERIFY(m_home.isValid());
    IsolateHome(m_home);
}

void TestPlay::launchOfInstall_data()
{
    // Each case lays out a home (home/) with launchers' files and prefixes
    // below a temporary folder, a game in it, the commands the search path
    // offers, and the launch expected. Paths are relative to that folder.
    QTest::addColumn<HostSystem>("system");
    QTest::addColumn<Files>("files");
    QTest::addColumn<Links>("links");
    QTest::addColumn<QString>("game");
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QStringList>("steamRoots");
    QTest::addColumn<QStringList>("programs");
    QTest::addColumn<ExpectedLaunch>("kind");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Environment>("environment");
    QTest::addColumn<QString>("workingDirectory");
    QTest::addColumn<QString>("problem");

    const QString exe = QStringLiteral("System/DeusEx.exe");
    const QStringList wine{QStringLiteral("wine")};
    const QString steamUrl = QStringLiteral("steam://rungameid/6910");
    using K = ExpectedLaunch;
    const auto onLinux = HostSystem::Linux;

    QTest::newRow("native Steam") << onLinux << Files{} << Links{} << "home/.local/share/Steam/steamapps/common/Deus Ex"
                                  << exe << QStringList{} << wine << K::Url << steamUrl << "" << QStringList{}
                                  << Environment{} << ""
                                  << "";
    QTest::newRow("Flatpak Steam") << onLinux << Files{} << Links{}
                                   << "home/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common/"
                                      "Deus Ex"
                                   << exe << QStringList{} << wine << K::Url << steamUrl << "" << QStringList{}
                                   << Environment{} << ""
                                   << "";
    QTest::newRow("Snap Steam") << onLinux << Files{} << Links{}
                                << "home/snap/steam/common/.local/share/Steam/steamapps/common/Deus Ex" << exe
                                << QStringList{} << wine << K::Url << steamUrl << "" << QStringList{} << Environment{}
                                << ""
                                << "";
    QTest::newRow("library Steam lists, old spelling")
        << onLinux << Files{{u"home/.local/share/Steam/steamapps/libraryfolders.vdf"_s, OtherLibrary}} << Links{}
        << "games/Library/SteamApps/common/Deus Ex" << exe << QStringList{} << QStringList{} << K::Url << steamUrl << ""
        << QStringList{} << Environment{} << ""
        << "";
    QTest::newRow("a library no Steam lists")
        << onLinux << Files{{u"home/.local/share/Steam/steamapps/libraryfolders.vdf"_s, ""}} << Links{}
        << "games/Library/steamapps/common/Deus Ex" << exe << QStringList{} << wine << K::None << ""
        << "" << QStringList{} << Environment{} << ""
        << "no bottle of Bottles and no Wine prefix holds";
    QTest::newRow("Steam for Windows in a prefix")
        << onLinux << Files{{u"pfx/system.reg"_s, MachineRegistry}, {u"pfx/user.reg"_s, SteamInPrefixRegistry}}
        << Links{} << "pfx/drive_c/Program Files (x86)/Steam/steamapps/common/Deus Ex" << exe << QStringList{} << wine
        << K::Url << steamUrl << "" << QStringList{} << Environment{} << ""
        << "";
    QTest::newRow("library on a drive of a Steam for Windows in the user's prefix")
        << onLinux
        << Files{{u"home/.wine/system.reg"_s, MachineRegistry},
                 {u"home/.wine/user.reg"_s, SteamInPrefixRegistry},
                 {u"home/.wine/drive_c/Program Files (x86)/Steam/steamapps/libraryfolders.vdf"_s,
                  "\"libraryfolders\"\n{\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"D:/SteamLibrary\"\n\t}\n}\n"}}
        << Links{{u"home/.wine/dosdevices/d:"_s, u"games"_s}} << u"games/SteamLibrary/steamapps/common/Deus Ex"_s << exe
        << QStringList{} << wine << K::Url << steamUrl << "" << QStringList{} << Environment{} << ""
        << "";
    QTest::newRow("GOG game of Heroic") << onLinux
                                        << Files{{u"home/.config/heroic/gog_store/installed.json"_s,
                                                  HeroicInstalled("Games/Heroic/Deus Ex")}}
                                        << Links{} << "Games/Heroic/Deus Ex" << exe << QStringList{} << wine << K::Url
                                        << "heroic://launch/gog/1207658919"
                                        << "" << QStringList{} << Environment{} << ""
                                        << "";
    QTest::newRow("GOG game of Flatpak Heroic")
        << onLinux
        << Files{{u"home/.var/app/com.heroicgameslauncher.hgl/config/heroic/gog_store/installed.json"_s,
                  HeroicInstalled("Games/Heroic/Deus Ex")}}
        << Links{} << "Games/Heroic/Deus Ex" << exe << QStringList{} << wine << K::Url
        << "heroic://launch/gog/1207658919"
        << "" << QStringList{} << Environment{} << ""
        << "";
    QTest::newRow("side-loaded game of Heroic")
        << onLinux << Files{{u"home/.config/heroic/sideload_apps/library.json"_s, HeroicSideloaded("Games/DeusEx")}}
        << Links{} << "Games/DeusEx" << exe << QStringList{} << wine << K::Url << "heroic://launch/sideload/dxmods4"
        << "" << QStringList{} << Environment{} << ""
        << "";
    QTest::newRow("side-loaded game of Flatpak Heroic")
        << onLinux
        << Files{{u"home/.var/app/com.heroicgameslauncher.hgl/config/heroic/sideload_apps/library.json"_s,
                  HeroicSideloaded("Games/DeusEx")}}
        << Links{} << "Games/DeusEx" << exe << QStringList{} << wine << K::Url << "heroic://launch/sideload/dxmods4"
        << "" << QStringList{} << Environment{} << ""
        << "";
    QTest::newRow("Lutris") << onLinux
                            << Files{{u"pfx/system.reg"_s, MachineRegistry},
                                     {u"home/.local/share/lutris/games/deus-ex-1700000000.yml"_s,
                                      LutrisConfig("pfx/drive_c/GOG Games/DeusEx")}}
                            << Links{} << "pfx/drive_c/GOG Games/DeusEx" << exe << QStringList{} << wine << K::Url
                            << "lutris:rungame/deus-ex"
                            << "" << QStringList{} << Environment{} << ""
                            << "";
    QTest::newRow("Flatpak Lutris") << onLinux
                                    << Files{{u"home/.var/app/net.lutris.Lutris/data/lutris/games/deus-ex.yml"_s,
                                              LutrisConfig("Games/DeusEx")}}
                                    << Links{} << "Games/DeusEx" << exe << QStringList{} << wine << K::Url
                                    << "lutris:rungame/deus-ex"
                                    << "" << QStringList{} << Environment{} << ""
                                    << "";
    const QString bottle = QStringLiteral("home/.local/share/bottles/bottles/Games");
    QTest::newRow("Bottles") << onLinux
                             << Files{{bottle + u"/bottle.yml"_s, "Arch: win64\nName: My Games\n"},
                                      {bottle + u"/system.reg"_s, MachineRegistry}}
                             << Links{} << bottle + u"/drive_c/GOG Games/Deus Ex"_s << exe << QStringList{}
                             << QStringList{u"bottles-cli"_s, u"flatpak"_s, u"wine"_s} << K::Program << u""_s
                             << "/usr/bin/bottles-cli"
                             << QStringList{u"run"_s, u"-b"_s, u"My Games"_s, u"-e"_s,
                                            u"@ROOT@/"_s + bottle + u"/drive_c/GOG Games/Deus Ex/System/DeusEx.exe"_s}
                             << Environment{} << bottle + u"/drive_c/GOG Games/Deus Ex/System"_s << "";
    QTest::newRow("Bottles without its command line")
        << onLinux << Files{{bottle + u"/bottle.yml"_s, "Name: My Games\n"}} << Links{}
        << bottle + u"/drive_c/GOG Games/Deus Ex"_s << exe << QStringList{} << QStringList{u"flatpak"_s, u"wine"_s}
        << K::None << ""
        << "" << QStringList{} << Environment{} << ""
        << "no \"bottles-cli\" command was found";
    const QString flatpakBottle = QStringLiteral("home/.var/app/com.usebottles.bottles/data/bottles/bottles/Games");
    QTest::newRow("Flatpak Bottles") << onLinux << Files{{flatpakBottle + u"/bottle.yml"_s, "Name: Games\n"}} << Links{}
                                     << flatpakBottle + u"/drive_c/Deus Ex"_s << exe << QStringList{}
                                     << QStringList{u"bottles-cli"_s, u"flatpak"_s} << K::Program << u""_s
                                     << "/usr/bin/flatpak"
                                     << QStringList{u"run"_s,
                                                    u"--command=bottles-cli"_s,
                                                    u"com.usebottles.bottles"_s,
                                                    u"run"_s,
                                                    u"-b"_s,
                                                    u"Games"_s,
                                                    u"-e"_s,
                                                    u"@ROOT@/"_s + flatpakBottle +
                                                        u"/drive_c/Deus Ex/System/DeusEx.exe"_s}
                                     << Environment{} << flatpakBottle + u"/drive_c/Deus Ex/System"_s << "";
    QTest::newRow("a drive of a PlayOnLinux prefix")
        << onLinux << Files{{u"home/.PlayOnLinux/wineprefix/DeusEx/system.reg"_s, MachineRegistry}}
        << Links{{u"home/.PlayOnLinux/wineprefix/DeusEx/dosdevices/e:"_s, u"media/cdrom"_s}} << u"media/cdrom/DeusEx"_s
        << exe << QStringList{} << wine << K::Program << "" << u"/usr/bin/wine"_s << QStringList{u"DeusEx.exe"_s}
        << Environment{{u"WINEPREFIX"_s, u"@ROOT@/home/.PlayOnLinux/wineprefix/DeusEx"_s}}
        << u"media/cdrom/DeusEx/System"_s << "";
    QTest::newRow("Wine prefix") << onLinux << Files{{u"pfx/system.reg"_s, MachineRegistry}} << Links{}
                                 << "pfx/drive_c/GOG Games/Deus Ex" << exe << QStringList{} << wine << K::Program << ""
                                 << u"/usr/bin/wine"_s << QStringList{u"DeusEx.exe"_s}
                                 << Environment{{u"WINEPREFIX"_s, u"@ROOT@/pfx"_s}}
                                 << u"pfx/drive_c/GOG Games/Deus Ex/System"_s << "";
    QTest::newRow("Wine prefix, game copied in lower case")
        << onLinux << Files{{u"pfx/system.reg"_s, MachineRegistry}} << Links{} << u"pfx/drive_c/deusex"_s
        << "system/deusex.exe" << QStringList{} << wine << K::Program << "" << u"/usr/bin/wine"_s
        << QStringList{u"deusex.exe"_s} << Environment{{u"WINEPREFIX"_s, u"@ROOT@/pfx"_s}}
        << "pfx/drive_c/deusex/system"
        << "";
    QTest::newRow("Wine prefix without wine")
        << onLinux << Files{{u"pfx/system.reg"_s, MachineRegistry}} << Links{} << u"pfx/drive_c/GOG Games/Deus Ex"_s
        << exe << QStringList{} << QStringList{} << K::None << ""
        << "" << QStringList{} << Environment{} << ""
        << "but Wine is not installed";
    QTest::newRow("Wine prefix, no game in the folder")
        << onLinux << Files{{u"pfx/system.reg"_s, MachineRegistry}} << Links{} << u"pfx/drive_c/GOG Games/Deus Ex"_s
        << "Maps/Entry.dx" << QStringList{} << wine << K::None << ""
        << "" << QStringList{} << Environment{} << ""
        << "There is no System/DeusEx.exe in";
    QTest::newRow("a drive of the user's prefix")
        << onLinux << Files{{u"home/.wine/system.reg"_s, MachineRegistry}}
        << Links{{u"home/.wine/dosdevices/d:"_s, u"games"_s}, {u"home/.wine/dosdevices/z:"_s, u"/"_s}}
        << u"games/DeusEx"_s << exe << QStringList{} << wine << K::Program << "" << u"/usr/bin/wine"_s
        << QStringList{u"DeusEx.exe"_s} << Environment{{u"WINEPREFIX"_s, u"@ROOT@/home/.wine"_s}}
        << "games/DeusEx/System"
        << "";
    QTest::newRow("a folder in no launcher") << onLinux << Files{{u"home/.wine/system.reg"_s, MachineRegistry}}
                                             << Links{{u"home/.wine/dosdevices/z:"_s, u"/"_s}} << "games/DeusEx" << exe
                                             << QStringList{} << wine << K::None << ""
                                             << "" << QStringList{} << Environment{} << ""
                                             << "no bottle of Bottles and no Wine prefix holds";
    QTest::newRow("Windows, Steam") << HostSystem::Windows << Files{} << Links{}
                                    << "Program Files (x86)/Steam/steamapps/common/Deus Ex" << exe
                                    << QStringList{u"Program Files (x86)/Steam"_s} << QStringList{} << K::Url
                                    << steamUrl << "" << QStringList{} << Environment{} << ""
                                    << "";
    QTest::newRow("Windows, outside Steam")
        << HostSystem::Windows << Files{} << Links{} << "GOG Games/Deus Ex" << exe
        << QStringList{u"Program Files (x86)/Steam"_s} << QStringList{} << K::Program << u""_s
        << "@ROOT@/GOG Games/Deus Ex/System/DeusEx.exe" << QStringList{} << Environment{} << "GOG Games/Deus Ex/System"
        << "";
}

void TestPlay::launchOfInstall()
{
    QFETCH(HostSystem, system);
    QFETCH(Files, files);
    QFETCH(Links, links);
    QFETCH(QString, game);
    QFETCH(QString, exe);
    QFETCH(QStringList, steamRoots);
    QFETCH(QStringList, programs);
    QFETCH(ExpectedLaunch, kind);
    QFETCH(QString, url);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(Environment, environment);
    QFETCH(QString, workingDirectory);
    QFETCH(QString, problem);
#ifdef Q_OS_WIN
    if (system == HostSystem::Linux)
        QSKIP("Linux installs: their prefixes' drives are links.");
#endif

    QTemporaryDir tmp;
    const QString root = QFileInfo(tmp.path()).canonicalFilePath();
    layOut(root, files, links);
    makeGame(root + u'/' + game, exe);

    LaunchContext context;
    context.system = system;
    context.home = root + QStringLiteral("/home");
    context.defaultPrefix = context.home + QStringLiteral("/.wine");
    for (const QString& steamRoot : steamRoots)
        context.steamRoots.append(root + u'/' + steamRoot);
    context.findProgram = [&programs](const QString& name) {
        return programs.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
    };

    const auto inRoot = [&root](QString text) {
        return QDir::toNativeSeparators(text.replace(QLatin1String("@ROOT@"), root));
    };
    // The field holds the folder with its final separator.
    const Result<GameLaunch> workedOut = workOutLaunch(QDir::toNativeSeparators(root + u'/' + game + u'/'), context);
    if (kind == ExpectedLaunch::None) {
        QVERIFY(!workedOut.ok());
        QVERIFY2(workedOut.error().contains(problem), qPrintable(workedOut.error()));
        return;
    }
    QVERIFY2(workedOut.ok(), qPrintable(workedOut.error()));
    const GameLaunch& launch = workedOut.value();
    QCOMPARE(launch.kind, kind == ExpectedLaunch::Url ? GameLaunch::Kind::Url : GameLaunch::Kind::Program);
    QCOMPARE(launch.url, url.isEmpty() ? QUrl() : QUrl(url));
    QCOMPARE(launch.program, program.isEmpty() ? QString() : inRoot(program));
    for (QString& argument : arguments)
        argument.replace(QLatin1String("@ROOT@"), root);
    QCOMPARE(launch.arguments, arguments);
    for (QString& value : environment)
        value = inRoot(value);
    QCOMPARE(launch.environment, environment);
    QCOMPARE(launch.workingDirectory,
             workingDirectory.isEmpty() ? QString() : inRoot(QStringLiteral("@ROOT@/") + workingDirectory));
}

void TestPlay::commandsAndShortcut()
{
    // Play follows Save on the toolbar and in the File menu, where F5 and
    // its access key reach it; the others keep their order.
    TestWindow t;
    const QList<QAction*> buttons = Control<QToolBar>(t.window.get(), u"Toolbar1"_s)->actions();
    QStringList order;
    for (const QAction* a : buttons)
        order << (a->isSeparator() ? QStringLiteral("-") : a->data().toString());
    QCOMPARE(order, (QStringList{u"New"_s, u"Open"_s, u"Save"_s, u"Play"_s, u"-"_s, u"Exit"_s}));
    QWidget* play = Control<QToolBar>(t.window.get(), u"Toolbar1"_s)->widgetForAction(buttons.at(3));
    QCOMPARE(buttons.at(3)->toolTip(), QStringLiteral("Play"));
    QCOMPARE(play->accessibleName(), QStringLiteral("Play"));

    QStringList entries;
    for (const QAction* a : t.window->findChild<QMenu*>(QStringLiteral("mnuFile"))->actions())
        entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(entries, (QStringList{u"New"_s, u"Open"_s, u"Save"_s, u"&Play"_s, u"-"_s, u"Exit"_s}));
    QCOMPARE(t.window->findChild<QAction*>(QStringLiteral("mnuPlay"))->shortcut(), QKeySequence(Qt::Key_F5));

    // F5 plays: with no Deus Ex path, Save's own message says why not.
    t.window->show();
    QVERIFY(QTest::qWaitForWindowActive(t.window.get()));
    QTest::keyClick(t.window.get(), Qt::Key_F5);
    QCOMPARE(t.ui.messages(), QStringList{u"You must specify the Deus Ex path in the Deus Ex Path field"_s});
}

void TestPlay::playStartsTheGame_data()
{
    // The game's folder below the home, any launchers' files there, the fake
    // launcher that must run, and what it must record, or the address the
    // desktop must be handed.
    QTest::addColumn<QString>("game");
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("record");

    QTest::newRow("Steam") << ".local/share/Steam/steamapps/common/Deus Ex" << Files{} << "steam://rungameid/6910"
                           << "";
    QTest::newRow("Heroic") << "Games/Heroic/Deus Ex"
                            << Files{{u".config/heroic/gog_store/installed.json"_s,
                                      HeroicInstalled("Games/Heroic/Deus Ex")}}
                            << "heroic://launch/gog/1207658919"
                            << "";
    QTest::newRow("Bottles") << ".local/share/bottles/bottles/Games/drive_c/Deus Ex"
                             << Files{{u".local/share/bottles/bottles/Games/bottle.yml"_s, "Name: Games\n"}} << u""_s
                             << "bottles-cli\n@ROOT@/.local/share/bottles/bottles/Games/drive_c/Deus Ex/System\n\n"
                                "run\n-b\nGames\n-e\n@ROOT@/.local/share/bottles/bottles/Games/drive_c/Deus Ex/System/"
                                "DeusEx.exe\n";
    const QString flatpakBottle = QStringLiteral(".var/app/com.usebottles.bottles/data/bottles/bottles/Games");
    QTest::newRow("Flatpak Bottles") << flatpakBottle + u"/drive_c/Deus Ex"_s
                                     << Files{{flatpakBottle + u"/bottle.yml"_s, "Name: Games\n"}} << u""_s
                                     << u"flatpak\n@ROOT@/"_s + flatpakBottle +
                                            "/drive_c/Deus Ex/System\n\nrun\n--command=bottles-cli\n"
                                            u"com.usebottles.bottles\nrun\n-b\nGames\n-e\n@ROOT@/"_s +
                                            flatpakBottle + u"/drive_c/Deus Ex/System/DeusEx.exe\n"_s;
    QTest::newRow("Wine prefix") << "Games/pfx/drive_c/GOG Games/Deus Ex"
                                 << Files{{u"Games/pfx/system.reg"_s, MachineRegistry}} << u""_s
                                 << "wine\n@ROOT@/Games/pfx/drive_c/GOG Games/Deus Ex/System\n@ROOT@/Games/pfx\n"
                                    "DeusEx.exe\n";
}

void TestPlay::playStartsTheGame()
{
#ifdef Q_OS_WIN
    QSKIP("Linux only: launchers of Linux and Wine prefixes; on Windows the game's own DeusEx.exe starts.");
#endif
    QFETCH(QString, game);
    QFETCH(Files, files);
    QFETCH(QString, url);
    QFETCH(QString, record);

    TestWindow t;
    const QString home = QFileInfo(t.home).canonicalFilePath();
    layOut(home, files, {});
    makeGame(home + u'/' + game);

    // Fake launchers on the search path, each writing what it was started
    // with: its name, its folder, its prefix and its arguments.
    const QString bin = home + QStringLiteral("/bin");
    const QString recorded = home + QStringLiteral("/started.txt");
    for (const char* name : {"wine", "bottles-cli", "flatpak"}) {
        const QString script = bin + u'/' + QLatin1String(name);
        writeFile(script, "#!/bin/sh\nprintf '%s\\n' " + QByteArray(name) + " \"$PWD\" \"$WINEPREFIX\" \"$@\" > '" +
                              QFile::encodeName(recorded) + "'\n");
        QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    // Only the fakes are found, and no prefix is set but the one Play sets.
    const ScopedEnvironment path("PATH", QFile::encodeName(bin));
    const ScopedEnvironment prefix("WINEPREFIX", std::nullopt);

    Control<QLineEdit>(t.window.get(), u"txtPath"_s)->setText(QDir::toNativeSeparators(home + u'/' + game + u'/'));
    Control<QLineEdit>(t.window.get(), u"txtName"_s)->setText(QStringLiteral("Played"));
    const QString modFile = home + u'/' + game + QStringLiteral("/System/Played.int");
    t.ui.dialogAnswers = {modFile};
    t.ui.runPrograms = true;
    Control<QToolButton>(t.window.get(), u"Toolbar1_Play"_s)->defaultAction()->trigger();

    QVERIFY2(t.ui.messages().isEmpty(), qPrintable(t.ui.messages().join(u'\n')));
    QVERIFY(QFile::exists(modFile));
    const QList<ScriptedModalInteraction::Asked> urls = t.ui.ofKind(Kind::Url);
    const QList<ScriptedModalInteraction::Asked> programs = t.ui.ofKind(Kind::Program);
    if (!url.isEmpty()) {
        QCOMPARE(urls.size(), 1);
        QCOMPARE(urls.first().url, QUrl(url));
        QVERIFY(programs.isEmpty());
        return;
    }
    QVERIFY(urls.isEmpty());
    QCOMPARE(programs.size(), 1);
    const auto readRecord = [&recorded] {
        QFile file(recorded);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    QTRY_COMPARE(readRecord(), record.replace(QLatin1String("@ROOT@"), home));
}

void TestPlay::playAsksForTheLoaderSetUp()
{
#ifdef Q_OS_WIN
    QSKIP("Linux only: launchers of Linux and Wine prefixes; on Windows the game's own DeusEx.exe starts.");
#endif
    // The game's settings still name the game's own default game: Play asks
    // start-up's question, switches on Yes, and starts the game all the same.
    GameFixture game;
    TestWindow t(game);
    t.ui.dialogAnswers = {game.file(QStringLiteral("System/Played.int"))};
    t.ui.answers = {ModalInteraction::Answer::Yes};
    t.window->playMod();
    const QList<ScriptedModalInteraction::Asked> questions = t.ui.ofKind(Kind::Message);
    QVERIFY(!questions.isEmpty());
    QCOMPARE(questions.first().text, QStringLiteral("The Orvane Mod Loader doesn't seem to be setup corectly. Do you "
                                                    "want to set it up it now?"));
    QVERIFY(game.read(QStringLiteral("System/DeusEx.ini")).contains("DefaultGame=Quenlar.MLGameInfo"));
    QVERIFY(game.exists(QStringLiteral("System/Played.int")));
}

void TestPlay::nothingStartsWhenSaveDoesNot_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");

    QTest::newRow("refused field") << "txtPlayer"
                                   << "A;B"
                                   << "PlayerClass";
    QTest::newRow("save dialog cancelled") << ""
                                           << ""
                                           << "";
}

void TestPlay::nothingStartsWhenSaveDoesNot()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);

    TestWindow t;
    const QString home = QFileInfo(t.home).canonicalFilePath();
    const QString game = home + QStringLiteral("/.local/share/Steam/steamapps/common/Deus Ex");
    makeGame(game);
    Control<QLineEdit>(t.window.get(), u"txtPath"_s)->setText(game + u'/');
    if (!field.isEmpty())
        Control<QLineEdit>(t.window.get(), field)->setText(value);
    t.ui.runPrograms = true;
    t.window->findChild<QAction*>(QStringLiteral("mnuPlay"))->trigger();

    QVERIFY(t.ui.ofKind(Kind::Url).isEmpty());
    QVERIFY(t.ui.ofKind(Kind::Program).isEmpty());
    if (message.isEmpty()) {
        QCOMPARE(t.ui.ofKind(Kind::SaveFile).size(), 1);
        QVERIFY(t.ui.messages().isEmpty());
    } else {
        QCOMPARE(t.ui.messages().size(), 1);
        QVERIFY2(t.ui.messages().first().contains(message), qPrintable(t.ui.messages().first()));
    }
}

void TestPlay::playSavesWhenNothingCanStartTheGame()
{
#ifdef Q_OS_WIN
    QSKIP("Linux only: launchers of Linux and Wine prefixes; on Windows the game's own DeusEx.exe starts.");
#endif
    // A folder no launcher or prefix holds: the mod is saved and the message
    // says why the game was not started.
    GameFixture game;
    TestWindow t(game);
    game.write(QStringLiteral("System/DeusEx.ini"), "[Engine.Engine]\r\nDefaultGame=Quenlar.MLGameInfo\r\n");
    t.ui.dialogAnswers = {game.file(QStringLiteral("System/Played.int"))};
    t.window->playMod();
    QVERIFY(game.exists(QStringLiteral("System/Played.int")));
    const QList<ScriptedModalInteraction::Asked> messages = t.ui.ofKind(Kind::Message);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().icon, ModalInteraction::Icon::Exclamation);
    QVERIFY2(messages.first().text.startsWith(QStringLiteral("The mod was saved, but the game could not be started.\n"
                                                             "No Steam library, no game of Heroic or Lutris, no "
                                                             "bottle of Bottles and no Wine prefix holds ")),
             qPrintable(messages.first().text));
    QVERIFY(t.ui.ofKind(Kind::Url).isEmpty());
    QVERIFY(t.ui.ofKind(Kind::Program).isEmpty());
}

void TestPlay::programThatCannotStart()
{
    // A program that is not there, or not a program: the start fails at
    // once and says why.
    QTemporaryDir tmp;
    const QString notAProgram = tmp.filePath(QStringLiteral("DeusEx.exe"));
    writeFile(notAProgram, "text");
    for (const QString& program : {tmp.filePath(QStringLiteral("missing")), notAProgram}) {
        const Result<> started = startDetached({program, {}, {}, tmp.path()});
        QVERIFY(!started.ok());
        QVERIFY(!started.error().isEmpty());
    }
}

QTEST_MAIN(TestPlay)
#include "test_play.moc"

// The game installation's rules: the Wine registry reader, game file names,
// the loader's INI files, the Steam libraries and every place the game is
// looked for.

#include "support/GameFixture.h"
#include "support/SpecialFiles.h"

#include "game/GameDiscovery.h"
#include "game/GamePath.h"
#include "game/InstalledGame.h"
#include "game/LoaderFiles.h"
#include "game/SteamDiscovery.h"
#include "game/TextFile.h"
#include "game/WineRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <thread>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const QString InstallKeyText = QString::fromUtf16(InstallerKey);
const QString Folder = QString::fromUtf16(InstallerValue);

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A system.reg holding the installer's key with the given value lines.
QByteArray systemReg(const QByteArray& keyLine, const QByteArray& values)
{
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
           "[Software\\\\Other] 1700000000\n\"Folder\"=\"C:\\\\Wrong\"\n\n" +
           keyLine + " 1700000000\n#time=1d9a0b0c0d0e0f0\n" + values + "\n\n[Software\\\\Zzz] 1700000000\n";
}

const QByteArray PlainKey = "[Software\\\\Unreal Technology\\\\Installed Apps\\\\Deus Ex]";

// A game directory whose System folder and files are spelt in lower case.
void makeLowerCaseGame(const QString& dir)
{
    writeFile(dir + QStringLiteral("/system/deusex.exe"), "MZ");
    writeFile(dir + QStringLiteral("/system/deusex.ini"), "DefaultGame=DeusEx.DeusExGameInfo");
}

bool caseSensitiveFileSystem(const QString& dir)
{
    writeFile(dir + QStringLiteral("/probe"), "x");
    return !QFileInfo::exists(dir + QStringLiteral("/PROBE"));
}

// Runs a read on a thread of its own and waits a few seconds for it: a read
// that waits on a pipe or never ends fails the test at once instead of
// hanging it, and ends the process, which stops the read too.
template <class Read> auto endsWithin(Read read, const char* what)
{
    using Result = decltype(read());
    auto done = std::make_shared<std::promise<Result>>();
    std::future<Result> result = done->get_future();
    std::thread([read, done] { done->set_value(read()); }).detach();
    if (result.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        std::fprintf(stderr, "FAIL! %s did not end within 5 seconds\n", what);
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    return result.get();
}

} // namespace

class TestGame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void wineRegistry_data();
    void wineRegistry();
    void wineDrivePaths_data();
    void wineDrivePaths();
    void winePrefixFromEnvironment();

    void trailingSeparator_data();
    void trailingSeparator();
    void gameFilesIgnoreLetterCase();

    void switchedDefaultGame_data();
    void switchedDefaultGame();
    void switchKeepsFirstBackup();
    void failedSwitchKeepsSettings();
    void autostartFlag_data();
    void autostartFlag();
    void inPlaceWriteDecision_data();
    void inPlaceWriteDecision();
    void fileHeldByAnotherProgram();
    void lockedFolderKeepsFilesWritable();
    void readsOnlyRegularFiles_data();
    void readsOnlyRegularFiles();
    void readingStopsAtTheLimit();
    void settingsReadersPassSpecialFilesBy();

    void vdfForms();
    void steamDiscovery_data();
    void steamDiscovery();
    void installedGame_data();
    void installedGame();

private:
    QTemporaryDir m_home;
};

void TestGame::initTestCase()
{
    // Nothing of the real user's Wine prefix or Steam libraries is read.
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qunsetenv("WINEPREFIX");
}

void TestGame::wineRegistry_data()
{
    QTest::addColumn<QByteArray>("reg");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain value") << systemReg(PlainKey, "\"Folder\"=\"C:\\\\DeusEx\"") << "C:\\DeusEx";
    QTest::newRow("32-bit view of a 64-bit prefix")
        << systemReg("[Software\\\\Wow6432Node\\\\Unreal Technology\\\\Installed Apps\\\\Deus Ex]",
                     "\"Folder\"=\"C:\\\\GOG\\\\DeusEx\\\\\"")
        << "C:\\GOG\\DeusEx\\";
    QTest::newRow("names in other letter case")
        << systemReg("[SOFTWARE\\\\unreal technology\\\\INSTALLED APPS\\\\deus ex]", "\"FOLDER\"=\"D:\\\\Dx\"")
        << "D:\\Dx";
    QTest::newRow("escapes") << systemReg(PlainKey, "\"Folder\"=\"C:\\\\Jeux \\\"D\\xe9us\\\" \\x20AC\\t\\101\"")
                             << QStringLiteral("C:\\Jeux \"D\u00e9us\" \u20ac\tA");
    QTest::newRow("text cut at its first NUL") << systemReg(PlainKey, "\"Folder\"=\"C:\\\\Dx\\0junk\"") << "C:\\Dx";
    QTest::newRow("other values first") << systemReg(PlainKey,
                                                     "@=\"default\"\n\"Version\"=\"1112fm\"\n\"Folder\"=\"C:\\\\Dx\"")
                                        << "C:\\Dx";
    QTest::newRow("expandable string") << systemReg(PlainKey, "\"Folder\"=str(2):\"%ProgramFiles%\\\\Dx\"") << "";
    QTest::newRow("dword") << systemReg(PlainKey, "\"Folder\"=dword:00000102") << "";
    QTest::newRow("binary of one byte") << systemReg(PlainKey, "\"Folder\"=hex:07") << "7";
    QTest::newRow("binary of two bytes") << systemReg(PlainKey, "\"Folder\"=hex:02,01") << "258";
    QTest::newRow("binary of three bytes") << systemReg(PlainKey, "\"Folder\"=hex:02,01,09") << "258";
    QTest::newRow("binary minus one") << systemReg(PlainKey, "\"Folder\"=hex:ff,ff") << "-1";
    QTest::newRow("binary on continued lines")
        << systemReg(PlainKey, "\"Folder\"=hex:\\\n  ff,\\\n  7f,00,00") << "32767";
    QTest::newRow("empty binary") << systemReg(PlainKey, "\"Folder\"=hex:") << "0";
    QTest::newRow("string Wine wrote as bytes")
        << systemReg(PlainKey, "\"Folder\"=hex(1):43,00,3a,00,5c,00,44,00,78,00,00,00") << "C:\\Dx";
    QTest::newRow("missing value") << systemReg(PlainKey, "\"Path\"=\"C:\\\\Dx\"") << "";
    QTest::newRow("missing key") << systemReg("[Software\\\\Unreal Technology\\\\Installed Apps\\\\Unreal]",
                                              "\"Folder\"=\"C:\\\\Unreal\"")
                                 << "";
    QTest::newRow("key that only begins alike")
        << systemReg("[Software\\\\Unreal Technology\\\\Installed Apps\\\\Deus Ex\\\\Patch]",
                     "\"Folder\"=\"C:\\\\Patch\"")
        << "";
    QTest::newRow("no header") << QByteArray(PlainKey + "\n\"Folder\"=\"C:\\\\Dx\"\n") << "";
    QTest::newRow("unclosed quote") << systemReg(PlainKey, "\"Folder\"=\"C:\\\\Dx") << "";
    QTest::newRow("garbage") << QByteArray("\x00\xff\x12WINE", 7) << "";
    QTest::newRow("empty file") << QByteArray() << "";
}

void TestGame::wineRegistry()
{
    QFETCH(QByteArray, reg);
    QFETCH(QString, expected);
    QCOMPARE(WineRegistry::GetString(reg, InstallKeyText, Folder), expected);
}

void TestGame::wineDrivePaths_data()
{
#ifdef Q_OS_WIN
    QSKIP("Linux only: Windows paths of a Wine prefix become paths of this system.");
#endif
    QTest::addColumn<QString>("windowsPath");
    QTest::addColumn<QString>("expected"); // below the temporary folder; "-" for none

    QTest::newRow("drive C") << "C:\\Games\\DeusEx"
                             << "prefix/drive_c/Games/DeusEx";
    QTest::newRow("parts in other letter case") << "c:\\GAMES\\deusex\\"
                                                << "prefix/drive_c/Games/DeusEx";
    QTest::newRow("forward slashes") << "C:/Games/DeusEx"
                                     << "prefix/drive_c/Games/DeusEx";
    QTest::newRow("missing parts kept as given") << "C:\\games\\Gone\\Away"
                                                 << "prefix/drive_c/Games/Gone/Away";
    QTest::newRow("drive root") << "C:\\"
                                << "prefix/drive_c";
    QTest::newRow("another drive") << "E:\\Dx"
                                   << "elsewhere/Dx";
    QTest::newRow("drive in capitals in dosdevices") << "F:\\"
                                                     << "elsewhere";
    QTest::newRow("drive without a link") << "D:\\DeusEx"
                                          << "-";
    QTest::newRow("network path") << "\\\\server\\games\\DeusEx"
                                  << "-";
    QTest::newRow("no path") << "258"
                             << "-";
    QTest::newRow("empty") << ""
                           << "-";
}

void TestGame::wineDrivePaths()
{
    QFETCH(QString, windowsPath);
    QFETCH(QString, expected);
    QTemporaryDir tmp;
    const QString root = QFileInfo(tmp.path()).canonicalFilePath();
    const QString prefix = root + QStringLiteral("/prefix");
    QDir().mkpath(prefix + QStringLiteral("/drive_c/Games/DeusEx/System"));
    QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
    QDir().mkpath(root + QStringLiteral("/elsewhere/Dx"));
    QVERIFY(QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:")));
    QVERIFY(QFile::link(root + QStringLiteral("/elsewhere"), prefix + QStringLiteral("/dosdevices/e:")));
    QVERIFY(QFile::link(root + QStringLiteral("/elsewhere"), prefix + QStringLiteral("/dosdevices/F:")));

    const QString translated = WineRegistry::ToUnixPath(prefix, windowsPath);
    QCOMPARE(translated, expected == QLatin1String("-") ? QString() : root + u'/' + expected);
}

void TestGame::winePrefixFromEnvironment()
{
#ifdef Q_OS_WIN
    QSKIP("Linux only: the Wine prefix is found through HOME and WINEPREFIX.");
#endif
    QCOMPARE(WineRegistry::DefaultPrefix(), m_home.path() + QStringLiteral("/.wine"));
    QTemporaryDir prefix;
    qputenv("WINEPREFIX", QFile::encodeName(prefix.path()));
    QCOMPARE(WineRegistry::DefaultPrefix(), prefix.path());
    // No system.reg there: nothing, and nothing is made.
    QCOMPARE(WineRegistry::GetStringFromPrefix(prefix.path(), InstallKeyText, Folder), QString());
    QVERIFY(QDir(prefix.path()).isEmpty());
    writeFile(prefix.filePath(QStringLiteral("system.reg")), systemReg(PlainKey, "\"Folder\"=\"C:\\\\Dx\""));
    QCOMPARE(WineRegistry::GetStringFromPrefix(prefix.path(), InstallKeyText, Folder), QStringLiteral("C:\\Dx"));
    qunsetenv("WINEPREFIX");
}

void TestGame::trailingSeparator_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    const QString s = PathSeparator();
    QTest::newRow("empty stays empty") << ""
                                       << "";
    QTest::newRow("missing") << "/games/DeusEx"
                             << "/games/DeusEx" + s;
    QTest::newRow("one already") << "/games/DeusEx" + s << "/games/DeusEx" + s;
    QTest::newRow("doubled") << "/games/DeusEx" + s + s << "/games/DeusEx" + s;
    QTest::newRow("forward slash") << "/games/DeusEx/"
                                   << "/games/DeusEx" + s;
    QTest::newRow("root") << "/" << QDir::toNativeSeparators(QStringLiteral("/"));
}

void TestGame::trailingSeparator()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(WithTrailingSeparator(path), expected);
}

void TestGame::gameFilesIgnoreLetterCase()
{
    QTemporaryDir tmp;
    if (!caseSensitiveFileSystem(tmp.path()))
        QSKIP("Letter case makes no difference on this file system.");
    const QString dir = tmp.filePath(QStringLiteral("Copied"));
    makeLowerCaseGame(dir);
    const QString gamePath = QDir::toNativeSeparators(dir) + PathSeparator();
    const QString sep = PathSeparator();

    QVERIFY(IsGameDirectory(dir));
    QVERIFY(IsGameDirectory(gamePath));
    QCOMPARE(GameFile(gamePath, QStringLiteral("System/DeusEx.ini")),
             gamePath + QStringLiteral("system") + sep + QStringLiteral("deusex.ini"));
    // A file still to be made keeps its own name in the folder that is there.
    QCOMPARE(AutostartFlagFile(gamePath), gamePath + QStringLiteral("system") + sep + QStringLiteral("Quenlar.ini"));
    QCOMPARE(GameFile(gamePath, QStringLiteral("System/")), gamePath + QStringLiteral("system") + sep);
    QCOMPARE(GameFile(gamePath, QStringLiteral("Maps/Intro.dx")),
             gamePath + QStringLiteral("Maps") + sep + QStringLiteral("Intro.dx"));
    // However the directory ends, one separator joins it to the name: a path
    // still being typed forms no "CopiedSystem", a doubled one no "//".
    for (const QString& typed : {QDir::toNativeSeparators(dir), gamePath + sep, gamePath + QStringLiteral("/")})
        QCOMPARE(GameFile(typed, QStringLiteral("System/DeusEx.ini")),
                 gamePath + QStringLiteral("system") + sep + QStringLiteral("deusex.ini"));

    // The exact spelling wins over another one.
    writeFile(dir + QStringLiteral("/System/DeusEx.exe"), "MZ");
    QCOMPARE(GameFile(gamePath, QStringLiteral("System/DeusEx.exe")),
             gamePath + QStringLiteral("System") + sep + QStringLiteral("DeusEx.exe"));

    // A folder of that name is no game, nor is a hidden file.
    QTemporaryDir other;
    QDir().mkpath(other.filePath(QStringLiteral("System/DeusEx.exe")));
    QVERIFY(!IsGameDirectory(other.path()));
    QVERIFY(!IsGameDirectory(QString()));
}

void TestGame::switchedDefaultGame_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<bool>("offered");

    QTest::newRow("CR LF lines") << QByteArray("[Engine.Engine]\r\nDefaultGame=DeusEx.DeusExGameInfo\r\nX=1\r\n")
                                 << QByteArray("[Engine.Engine]\r\nDefaultGame=Quenlar.MLGameInfo\r\nX=1\r\n") << true;
    QTest::newRow("two lines, LF, no final break")
        << QByteArray("DefaultGame=DeusEx.DeusExGameInfo\nA\nDefaultGame=DeusEx.DeusExGameInfo")
        << QByteArray("DefaultGame=Quenlar.MLGameInfo\nA\nDefaultGame=Quenlar.MLGameInfo") << true;
    QTest::newRow("capitals") << QByteArray("DEFAULTGAME=DEUSEX.DEUSEXGAMEINFO\r\n")
                              << QByteArray("DefaultGame=Quenlar.MLGameInfo\r\n") << true;
    QTest::newRow("inside a longer line")
        << QByteArray(";defaultgame=deusex.deusexgameinfoX") << QByteArray(";DefaultGame=Quenlar.MLGameInfoX") << true;
    QTest::newRow("other code page bytes")
        << QByteArray("Name=Jos\xe9\x81\x9d\x00\r\nDefaultGame=DeusEx.DeusExGameInfo", 47)
        << QByteArray("Name=Jos\xe9\x81\x9d\x00\r\nDefaultGame=Quenlar.MLGameInfo", 44) << true;
    QTest::newRow("already switched") << QByteArray("DefaultGame=Quenlar.MLGameInfo\r\n")
                                      << QByteArray("DefaultGame=Quenlar.MLGameInfo\r\n") << false;
    QTest::newRow("spaced is another text") << QByteArray("DefaultGame = DeusEx.DeusExGameInfo")
                                            << QByteArray("DefaultGame = DeusEx.DeusExGameInfo") << false;
    QTest::newRow("empty") << QByteArray() << QByteArray() << false;
}

void TestGame::switchedDefaultGame()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(bool, offered);
    QCOMPARE(NamesGameDefault(before), offered);
    QCOMPARE(SwitchedDefaultGame(before), after);
}

void TestGame::switchKeepsFirstBackup()
{
    const QByteArray original = "[Engine.Engine]\nDefaultGame=DeusEx.DeusExGameInfo\n";
    GameFixture::Options options;
    options.deusExIniText = original;
    GameFixture game(options);

    QVERIFY(SwitchDefaultGame(game.gamePath(), original).ok());
    QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini")), SwitchedDefaultGame(original));
    QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini.bak")), original);

    // The game put its line back; switching again keeps the first backup.
    const QByteArray second = "DefaultGame=DeusEx.DeusExGameInfo\nSecond=1";
    game.write(QStringLiteral("System/DeusEx.ini"), second);
    QVERIFY(SwitchDefaultGame(game.gamePath(), second).ok());
    QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini")), SwitchedDefaultGame(second));
    QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini.bak")), original);
}

void TestGame::failedSwitchKeepsSettings()
{
    const QByteArray original = "DefaultGame=DeusEx.DeusExGameInfo\r\n";
    {
        // A file marked read-only is left whole.
        GameFixture game;
        game.write(QStringLiteral("System/DeusEx.ini"), original);
        const QString ini = game.file(QStringLiteral("System/DeusEx.ini"));
        QFile::setPermissions(ini, QFileDevice::ReadOwner);
        const QString error = SwitchDefaultGame(game.gamePath(), original).reason();
        QVERIFY(error.contains(ini));
        QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini")), original);
        // The copy made for this switch goes with it.
        QVERIFY(!game.exists(QStringLiteral("System/DeusEx.ini.bak")));
        // A copy from an earlier switch stays as it was.
        game.write(QStringLiteral("System/DeusEx.ini.bak"), "earlier");
        QVERIFY(!SwitchDefaultGame(game.gamePath(), original).ok());
        QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini.bak")), QByteArray("earlier"));
        QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    {
        // No backup can be kept: the settings are not touched.
        GameFixture::Options options;
        options.deusExIniText = original;
        options.unreadable = {QStringLiteral("System/DeusEx.ini.bak")};
        GameFixture game(options);
        const QString error = SwitchDefaultGame(game.gamePath(), original).reason();
        QVERIFY(error.contains(game.file(QStringLiteral("System/DeusEx.ini.bak"))));
        QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini")), original);
    }
    {
        // Gone since it was read: not made again.
        GameFixture::Options options;
        options.deusExIni = false;
        GameFixture game(options);
        QVERIFY(!SwitchDefaultGame(game.gamePath(), original).ok());
        QVERIFY(!game.exists(QStringLiteral("System/DeusEx.ini")));
    }
}

void TestGame::autostartFlag_data()
{
    QTest::addColumn<QByteArray>("content"); // "<missing>" and "<folder>" stand for no readable file
    QTest::addColumn<bool>("on");
    QTest::addColumn<bool>("error");

    QTest::newRow("unspaced on") << QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart=True") << true << false;
    QTest::newRow("spaced on") << QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart = True") << true << false;
    QTest::newRow("capitals") << QByteArray("bAutoStart=TRUE") << true << false;
    QTest::newRow("True in another line")
        << QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart=False\r\nbVerbose=true") << true << false;
    QTest::newRow("off") << QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart=False") << false << false;
    QTest::newRow("empty") << QByteArray() << false << false;
    QTest::newRow("missing") << QByteArray("<missing>") << false << false;
    QTest::newRow("a folder in its place") << QByteArray("<folder>") << false << true;
}

void TestGame::autostartFlag()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, on);
    QFETCH(bool, error);
    GameFixture::Options options;
    options.quenlarIni = content != "<missing>";
    options.quenlarIniText = content;
    if (content == "<folder>")
        options.unreadable = {QStringLiteral("System/Quenlar.ini")};
    GameFixture game(options);

    const AutostartFlag flag = ReadAutostartFlag(game.gamePath());
    QCOMPARE(flag.on, on);
    QCOMPARE(!flag.error.isEmpty(), error);
    QCOMPARE(game.exists(QStringLiteral("System/Quenlar.ini")), options.quenlarIni);
}

void TestGame::fileHeldByAnotherProgram()
{
    // A mod file another program holds open without sharing it: the write is
    // refused, saying so, and the file is left as it was.
    GameFixture game;
    game.write(QStringLiteral("System/Held.int"), "old");
    const QString mod = game.file(QStringLiteral("System/Held.int"));
#ifdef Q_OS_WIN
    {
        const HANDLE held = CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(mod).utf16()), GENERIC_READ,
                                        0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        QVERIFY(held != INVALID_HANDLE_VALUE);
        const auto release = qScopeGuard([held] { CloseHandle(held); });
        const WriteResult written = WriteTextFile(mod, QStringLiteral("new"), InPlaceWrite::WhenFolderIsLocked);
        QCOMPARE(written.reason(), QStringLiteral("Another program is using the file. Close it there and try again."));
    }
    QCOMPARE(game.read(QStringLiteral("System/Held.int")), QByteArray("old"));
#else
    // Here an open file is no obstacle: it is replaced.
    QFile other(mod);
    QVERIFY(other.open(QIODevice::ReadOnly));
    QVERIFY(WriteTextFile(mod, QStringLiteral("new"), InPlaceWrite::WhenFolderIsLocked).ok());
    QCOMPARE(game.read(QStringLiteral("System/Held.int")), QByteArray("new"));
#endif
}

void TestGame::inPlaceWriteDecision_data()
{
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<bool>("fileWritable");
    QTest::addColumn<bool>("inPlace");
    QTest::newRow("writable file in a locked folder") << true << false << true << true << true;
    QTest::newRow("not for the game's settings") << false << false << true << true << false;
    QTest::newRow("writable folder: the temporary file failed for another reason")
        << true << true << true << true << false;
    QTest::newRow("new file in a locked folder") << true << false << false << false << false;
    QTest::newRow("read-only file in a locked folder") << true << false << true << false << false;
}

void TestGame::inPlaceWriteDecision()
{
    QFETCH(bool, allowed);
    QFETCH(bool, folderWritable);
    QFETCH(bool, fileExists);
    QFETCH(bool, fileWritable);
    QFETCH(bool, inPlace);
    QCOMPARE(ShouldWriteInPlace(allowed ? InPlaceWrite::WhenFolderIsLocked : InPlaceWrite::Never, folderWritable,
                                fileExists, fileWritable),
             inPlace);
}

void TestGame::lockedFolderKeepsFilesWritable()
{
    // Needs a user whom folder permissions stop: run this test by hand as an
    // ordinary user when the suite runs as an administrator.
#ifdef Q_OS_UNIX
    if (geteuid() == 0)
        QSKIP("Folder permissions do not stop an administrator.");
#else
    QSKIP("Folder permissions are tested on Unix.");
#endif
    GameFixture game;
    const QString system = game.file(QStringLiteral("System"));
    const QString mod = game.file(QStringLiteral("System/Shared.int"));
    game.write(QStringLiteral("System/Shared.int"), "old");
    QVERIFY(QFile::setPermissions(system, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const auto unlock = qScopeGuard([&] {
        QFile::setPermissions(system, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    });

    // The mod file and the flag file are rewritten in place.
    QVERIFY(WriteTextFile(mod, QStringLiteral("new"), InPlaceWrite::WhenFolderIsLocked).ok());
    QCOMPARE(game.read(QStringLiteral("System/Shared.int")), QByteArray("new"));
    QVERIFY(WriteAutostartFlag(game.gamePath(), true, FlagForm::Spaced).ok());
    QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart = True"));

    // A new file cannot be made, and the reason names the folder.
    const QString error = WriteTextFile(game.file(QStringLiteral("System/New.int")), QStringLiteral("x"),
                                        InPlaceWrite::WhenFolderIsLocked)
                              .reason();
    QVERIFY2(error.contains(QStringLiteral("not writable")) && error.contains(system), qPrintable(error));

    // The game's settings are switched only with a copy kept beside them.
    const QByteArray ini = game.read(QStringLiteral("System/DeusEx.ini"));
    const QString switchError = SwitchDefaultGame(game.gamePath(), ini).reason();
    QVERIFY2(switchError.contains(QStringLiteral("not writable")), qPrintable(switchError));
    QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini")), ini);
    QVERIFY(!game.exists(QStringLiteral("System/DeusEx.ini.bak")));
}

void TestGame::readsOnlyRegularFiles_data()
{
#ifndef Q_OS_UNIX
    QSKIP("Unix only: pipes, devices and links to them are made with Unix calls.");
#endif
    QTest::addColumn<QString>("path"); // in a temporary folder unless absolute
    QTest::addColumn<QString>("kind"); // what to make there, if anything
    QTest::addColumn<QString>("error");
    const QString notAFile = QStringLiteral("It is a device, pipe or socket, not a file.");
    QTest::newRow("a pipe") << "Mod.int"
                            << "pipe" << notAFile;
    QTest::newRow("a link to a pipe") << "Mod.int"
                                      << "link to a pipe" << notAFile;
    QTest::newRow("a link to a device") << "x.int"
                                        << "device" << notAFile;
    QTest::newRow("a folder") << "Mod.int"
                              << "folder"
                              << "It is a folder, not a file.";
#ifdef Q_OS_LINUX
    // Reported as 0 bytes long and never ending.
    QTest::newRow("the device itself") << "/dev/zero"
                                       << "" << notAFile;
#endif
}

void TestGame::readsOnlyRegularFiles()
{
    QFETCH(QString, path);
    QFETCH(QString, kind);
    QFETCH(QString, error);
    QTemporaryDir dir;
    if (!QDir::isAbsolutePath(path))
        path = dir.filePath(path);
    if (!kind.isEmpty())
        MakeSpecialFile(path, kind);
    if (QTest::currentTestFailed())
        return;
    const FileRead read = endsWithin([path] { return ReadFileBytes(path); }, "reading a special file");
    QCOMPARE(read.error, error);
    QVERIFY(read.bytes.isEmpty());
    const TextRead text = endsWithin([path] { return ReadTextFile(path); }, "reading a special file as text");
    QCOMPARE(text.error, error);
}

void TestGame::readingStopsAtTheLimit()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Ten.ini"));
    writeFile(file, "0123456789");
    QCOMPARE(ReadFileBytes(file, 10).bytes, QByteArray("0123456789"));
    QCOMPARE(ReadFileBytes(file, 9).error, QStringLiteral("The file is too large."));
#ifdef Q_OS_UNIX
    const QString link = dir.filePath(QStringLiteral("Link.ini"));
    QVERIFY(QFile::link(file, link));
    QCOMPARE(ReadTextFile(link).text, QStringLiteral("0123456789"));
#endif
#ifdef Q_OS_LINUX
    // A file of the system's that reports no size but has one: the limit
    // holds against what is read, not what the file claims.
    const QString status = QStringLiteral("/proc/self/status");
    QCOMPARE(QFileInfo(status).size(), 0);
    QCOMPARE(ReadFileBytes(status, 16).error, QStringLiteral("The file is too large."));
    QVERIFY(ReadFileBytes(status).bytes.startsWith("Name:"));
#endif
}

void TestGame::vdfForms()
{
    const VdfNode old = VdfNode::Parse(QStringLiteral("\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\"1\"\n"
                                                      "\t\"1\"\t\t\"/mnt/games/Steam\"\n\t\"2\" \"D:\\\\Steam\"\n}\n"));
    const VdfNode* folders = old.block(QStringLiteral("libraryfolders"));
    QVERIFY(folders);
    QCOMPARE(folders->text(QStringLiteral("1")), QStringLiteral("/mnt/games/Steam"));
    QCOMPARE(folders->text(QStringLiteral("2")), QStringLiteral("D:\\Steam"));

    const VdfNode current = VdfNode::Parse(QStringLiteral(
        "// written by Steam\n\"libraryfolders\" {\n \"0\" { \"path\" \"/home/u/.local/share/Steam\"\n"
        "  \"apps\" { \"6910\" \"123\" \"70\" \"456\" } }\n \"1\" { path /mnt/Games [$LINUX] \"apps\" { } }\n}"));
    folders = current.block(QStringLiteral("libraryfolders"));
    QVERIFY(folders);
    QCOMPARE(folders->entries.size(), 2);
    QCOMPARE(folders->block(QStringLiteral("0"))->block(QStringLiteral("apps"))->text(QStringLiteral("6910")),
             QStringLiteral("123"));
    QCOMPARE(folders->block(QStringLiteral("1"))->text(QStringLiteral("path")), QStringLiteral("/mnt/Games"));

    // Cut short and with stray braces: what came before the damage is kept.
    const VdfNode broken = VdfNode::Parse(QStringLiteral("}\"AppState\" { \"appid\" \"6910\" \"installdir\" \"Deus"));
    QVERIFY(broken.block(QStringLiteral("AppState")));
    QCOMPARE(broken.block(QStringLiteral("AppState"))->text(QStringLiteral("installdir")), QStringLiteral("Deus"));
    QVERIFY(VdfNode::Parse(QString()).entries.isEmpty());

    // Deep nesting is read without exhausting the stack; the pairs inside
    // the deep part still count, and the braces still pair up.
    const QString deep = QStringLiteral("\"a\" ").repeated(1) + QStringLiteral("{ ").repeated(200000) +
                         QStringLiteral("\"k\" \"v\" ") + QStringLiteral("} ").repeated(200000) +
                         QStringLiteral("\"after\" \"x\"");
    const VdfNode nested = VdfNode::Parse(deep);
    QCOMPARE(nested.text(QStringLiteral("after")), QStringLiteral("x"));
}

namespace {

const QByteArray Manifest = "\"AppState\"\n{\n\t\"appid\"\t\t\"6910\"\n\t\"name\"\t\t\"Deus Ex: Game of the Year "
                            "Edition\"\n\t\"installdir\"\t\t\"Deus Ex\"\n}\n";

void makeGame(const QString& dir)
{
    writeFile(dir + QStringLiteral("/System/DeusEx.exe"), "MZ");
}

void makeManifest(const QString& library, const QByteArray& manifest = Manifest)
{
    writeFile(library + QStringLiteral("/steamapps/appmanifest_6910.acf"), manifest);
}

} // namespace

void TestGame::steamDiscovery_data()
{
#ifdef Q_OS_WIN
    QSKIP("Linux only: Steam libraries are looked for where Steam for Linux keeps them.");
#endif
    // Each case builds a fake home below a temporary folder and names the
    // directory that must be found, relative to that folder ("" for none).
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("expected");

    QTest::newRow("game in the main library") << "main"
                                              << "home/.local/share/Steam/steamapps/common/Deus Ex";
    QTest::newRow("second library, old form") << "old-form"
                                              << "games/SteamLibrary/steamapps/common/Deus Ex";
    QTest::newRow("second library, current form") << "new-form"
                                                  << "games/SteamLibrary/steamapps/common/Deus Ex";
    QTest::newRow("manifest with another folder") << "installdir"
                                                  << "games/SteamLibrary/steamapps/common/DX GOTY";
    QTest::newRow("library without the game first") << "without-game"
                                                    << "games/SteamLibrary/steamapps/common/Deus Ex";
    QTest::newRow("manifest but no game files") << "no-files"
                                                << "";
    QTest::newRow("broken libraryfolders.vdf") << "broken"
                                               << "home/.steam/debian-installation/steamapps/common/Deus Ex";
    QTest::newRow("Flatpak Steam")
        << "flatpak"
        << "home/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common/Deus Ex";
    QTest::newRow("Snap Steam") << "snap"
                                << "home/snap/steam/common/.local/share/Steam/steamapps/common/Deus Ex";
    QTest::newRow("native before Flatpak") << "both"
                                           << "home/.local/share/Steam/steamapps/common/Deus Ex";
    QTest::newRow("Proton prefix registry") << "proton"
                                            << "games/SteamLibrary/steamapps/common/Deus Ex";
    QTest::newRow("folders copied from Windows") << "lower-case"
                                                 << "home/.steam/steam/steamapps/common/Deus Ex";
    QTest::newRow("no Steam at all") << "none"
                                     << "";
}

void TestGame::steamDiscovery()
{
    QFETCH(QString, scenario);
    QFETCH(QString, expected);
    QTemporaryDir tmp;
    const QString root = QFileInfo(tmp.path()).canonicalFilePath();
    const QString home = root + QStringLiteral("/home");
    const QString native = home + QStringLiteral("/.local/share/Steam");
    const QString library = root + QStringLiteral("/games/SteamLibrary");
    const QString common = QStringLiteral("/steamapps/common/Deus Ex");
    const QByteArray oldForm = "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1700000000\"\n"
                               "\t\"ContentStatsID\"\t\t\"-1\"\n\t\"1\"\t\t\"" +
                               library.toUtf8() + "\"\n}\n";
    const QByteArray newForm = "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + native.toUtf8() +
                               "\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"1\"\n\t\t}\n\t}\n\t\"1\"\n\t{\n"
                               "\t\t\"path\"\t\t\"" +
                               library.toUtf8() + "\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"6910\"\t\t\"1\"\n\t\t}\n\t}\n}\n";
    QDir().mkpath(home);

    if (scenario == QLatin1String("main")) {
        makeManifest(native);
        makeGame(native + common);
    } else if (scenario == QLatin1String("old-form")) {
        writeFile(native + QStringLiteral("/steamapps/libraryfolders.vdf"), oldForm);
        makeManifest(library);
        makeGame(library + common);
    } else if (scenario == QLatin1String("new-form")) {
        writeFile(native + QStringLiteral("/config/libraryfolders.vdf"), newForm);
        makeManifest(library);
        makeGame(library + common);
    } else if (scenario == QLatin1String("installdir")) {
        writeFile(native + QStringLiteral("/steamapps/libraryfolders.vdf"), newForm);
        QByteArray manifest = Manifest;
        manifest.replace("\"Deus Ex\"", "\"DX GOTY\"");
        makeManifest(library, manifest);
        makeGame(library + QStringLiteral("/steamapps/common/Deus Ex")); // not what the manifest names
        makeGame(library + QStringLiteral("/steamapps/common/DX GOTY"));
    } else if (scenario == QLatin1String("without-game")) {
        writeFile(native + QStringLiteral("/steamapps/libraryfolders.vdf"), newForm);
        QDir().mkpath(native + common);
        makeManifest(library);
        makeGame(library + common);
    } else if (scenario == QLatin1String("no-files")) {
        makeManifest(native);
        QDir().mkpath(native + common + QStringLiteral("/System"));
    } else if (scenario == QLatin1String("broken")) {
        const QString debian = home + QStringLiteral("/.steam/debian-installation");
        writeFile(debian + QStringLiteral("/steamapps/libraryfolders.vdf"), "\"libraryfolders\" { \"1\" { \"pa");
        makeManifest(debian);
        makeGame(debian + common);
    } else if (scenario == QLatin1String("flatpak") || scenario == QLatin1String("both")) {
        const QString flatpak = home + QStringLiteral("/.var/app/com.valvesoftware.Steam/.local/share/Steam");
        makeManifest(flatpak);
        makeGame(flatpak + common);
        if (scenario == QLatin1String("both")) {
            makeManifest(native);
            makeGame(native + common);
        }
    } else if (scenario == QLatin1String("snap")) {
        const QString snap = home + QStringLiteral("/snap/steam/common/.local/share/Steam");
        makeManifest(snap);
        makeGame(snap + common);
    } else if (scenario == QLatin1String("proton")) {
        // No manifest; the game's Proton prefix knows where it is.
        writeFile(native + QStringLiteral("/steamapps/libraryfolders.vdf"), oldForm);
        const QString prefix = library + QStringLiteral("/steamapps/compatdata/6910/pfx");
        QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
        QVERIFY(QFile::link(QStringLiteral("/"), prefix + QStringLiteral("/dosdevices/z:")));
        QString windowsPath = QStringLiteral("Z:") + library + common;
        windowsPath.replace(u'/', QLatin1String("\\\\"));
        writeFile(prefix + QStringLiteral("/system.reg"),
                  systemReg(PlainKey, "\"Folder\"=\"" + windowsPath.toUtf8() + "\""));
        makeGame(library + common);
    } else if (scenario == QLatin1String("lower-case")) {
        if (!caseSensitiveFileSystem(root))
            QSKIP("Letter case makes no difference on this file system.");
        const QString steam = home + QStringLiteral("/.steam/steam");
        makeManifest(steam);
        makeLowerCaseGame(steam + common);
    }

    QCOMPARE(FindSteamGame(SteamRoots(home)), expected.isEmpty() ? QString() : root + u'/' + expected);
}

namespace {

// A folder as an installer or launcher records it in the registry.
struct Recorded
{
    RegistryRoot root;
    QString key;
    QString name;
    QString folder; // below the test's temporary folder
};
using RecordedFolders = QList<Recorded>;
using Files = QMap<QString, QByteArray>; // below the temporary folder; "@ROOT@" stands for it

Recorded Installer(const QString& folder)
{
    return {RegistryRoot::LocalMachine, QString::fromUtf16(InstallerKey), QString::fromUtf16(InstallerValue), folder};
}

Recorded OldInstaller(const QString& folder)
{
    return {RegistryRoot::LocalMachine, QString::fromUtf16(OldInstallerKey), QString::fromUtf16(InstallerValue),
            folder};
}

Recorded Gog(const QString& id, const QString& folder)
{
    return {RegistryRoot::LocalMachine, QString::fromUtf16(GogGamesKey) + u'\\' + id, QStringLiteral("path"), folder};
}

Recorded SteamPath(const QString& folder)
{
    return {RegistryRoot::CurrentUser, QString::fromUtf16(SteamUserKey), QString::fromUtf16(SteamUserValue), folder};
}

QByteArray HeroicList(const QStringList& folders)
{
    QByteArray list = "{\"installed\": [";
    for (const QString& folder : folders) {
        list += QByteArray(list.endsWith('[') ? "" : ",") +
                "{\"appName\": \"1207658919\", \"platform\": \"windows\", " + "\"install_path\": \"@ROOT@/" +
                folder.toUtf8() + "\"}";
    }
    return list + "], \"other\": 1}";
}

const QByteArray Library = "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"@ROOT@/games/Library\"\n\t}\n}\n";

#ifdef Q_OS_WIN
bool UnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

HKEY Hkey(RegistryRoot root)
{
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// Records each folder as its installer does (HKEY_LOCAL_MACHINE in the
// 32-bit view), and takes it out again at the end of the case.
bool WriteRegistry(const RecordedFolders& recorded, const QString& root)
{
    for (const Recorded& r : recorded) {
        HKEY key = nullptr;
        const std::wstring path = r.key.toStdWString();
        if (RegCreateKeyExW(Hkey(r.root), path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return false;
        const std::wstring folder = QDir::toNativeSeparators(root + u'/' + r.folder).toStdWString();
        const LONG status =
            RegSetValueExW(key, r.name.toStdWString().c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                           static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        if (status != ERROR_SUCCESS)
            return false;
    }
    return true;
}

void ForgetRegistry(const RecordedFolders& recorded)
{
    for (const Recorded& r : recorded)
        RegDeleteKeyExW(Hkey(r.root), r.key.toStdWString().c_str(), KEY_WOW64_32KEY, 0);
}
#else
QByteArray RegText(const QString& text)
{
    QByteArray escaped = text.toUtf8();
    escaped.replace("\\", "\\\\");
    return escaped;
}

// The same in the user's Wine prefix, as a 32-bit installer leaves it in a
// 64-bit prefix: HKEY_LOCAL_MACHINE in system.reg below Wow6432Node,
// HKEY_CURRENT_USER in user.reg; Windows paths on the drive Z:, which is /.
void WriteWinePrefix(const QString& prefix, const RecordedFolders& recorded, const QString& root)
{
    QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
    QVERIFY(QFile::link(QStringLiteral("/"), prefix + QStringLiteral("/dosdevices/z:")));
    QByteArray machine = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
    QByteArray user = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n";
    for (const Recorded& r : recorded) {
        QString key = r.key;
        if (r.root == RegistryRoot::LocalMachine)
            key = WineRegistry::Bit32KeyNames(key).first();
        const QString windowsPath =
            QStringLiteral("Z:") + QDir::toNativeSeparators(root + u'/' + r.folder).replace(u'/', u'\\');
        (r.root == RegistryRoot::LocalMachine ? machine : user) +=
            "\n[" + RegText(key) + "] 1700000000\n\"" + RegText(r.name) + "\"=\"" + RegText(windowsPath) + "\"\n";
    }
    writeFile(prefix + QStringLiteral("/system.reg"), machine);
    writeFile(prefix + QStringLiteral("/user.reg"), user);
}
#endif

} // namespace

Q_DECLARE_METATYPE(Recorded)
Q_DECLARE_METATYPE(RecordedFolders)

void TestGame::installedGame_data()
{
    // Each case lays out a fake home (home/), registry and game folders below
    // a temporary folder, and names the folder that must be found there.
    QTest::addColumn<RecordedFolders>("registry");
    QTest::addColumn<Files>("files");
    QTest::addColumn<QStringList>("games"); // folders holding System/DeusEx.exe
    QTest::addColumn<bool>("linuxOnly");
    QTest::addColumn<QString>("expected"); // "" for none

    const QString steamRoot = QStringLiteral("home/.local/share/Steam");
    const QString manifest = QStringLiteral("/steamapps/appmanifest_6910.acf");
    const QString common = QStringLiteral("/steamapps/common/Deus Ex");
    const Files noFiles;
    const Files emptyFolders{{QStringLiteral("games/Empty/System/Readme.txt"), "No game here."}};

    QTest::newRow("installer's key, 32-bit view")
        << RecordedFolders{Installer(QStringLiteral("games/DeusEx"))} << noFiles
        << QStringList{QStringLiteral("games/DeusEx")} << false << "games/DeusEx";
    QTest::newRow("older key name") << RecordedFolders{OldInstaller(QStringLiteral("games/DeusEx"))} << noFiles
                                    << QStringList{QStringLiteral("games/DeusEx")} << false << "games/DeusEx";
    QTest::newRow("installer's key before the older name")
        << RecordedFolders{OldInstaller(QStringLiteral("games/Other")), Installer(QStringLiteral("games/DeusEx"))}
        << noFiles << QStringList{QStringLiteral("games/DeusEx"), QStringLiteral("games/Other")} << false
        << "games/DeusEx";
    QTest::newRow("installer's key left behind, older name right")
        << RecordedFolders{Installer(QStringLiteral("games/Empty")), OldInstaller(QStringLiteral("games/DeusEx"))}
        << emptyFolders << QStringList{QStringLiteral("games/DeusEx")} << false << "games/DeusEx";
    QTest::newRow("GOG Galaxy among other GOG games")
        << RecordedFolders{Gog(QStringLiteral("1207658930"), QStringLiteral("games/Empty")),
                           Gog(QStringLiteral("1207658919"), QStringLiteral("GOG Games/Deus Ex GOTY")),
                           Gog(QStringLiteral("1440426004"), QStringLiteral("GOG Games/Missing"))}
        << emptyFolders << QStringList{QStringLiteral("GOG Games/Deus Ex GOTY")} << false << "GOG Games/Deus Ex GOTY";
    QTest::newRow("older GOG key") << RecordedFolders{{RegistryRoot::LocalMachine, QString::fromUtf16(OldGogKey),
                                                       QStringLiteral("PATH"), QStringLiteral("GOG Games/Deus Ex")}}
                                   << noFiles << QStringList{QStringLiteral("GOG Games/Deus Ex")} << false
                                   << "GOG Games/Deus Ex";
    QTest::newRow("installer's key before GOG")
        << RecordedFolders{Gog(QStringLiteral("1207658919"), QStringLiteral("GOG Games/Deus Ex")),
                           Installer(QStringLiteral("games/DeusEx"))}
        << noFiles << QStringList{QStringLiteral("GOG Games/Deus Ex"), QStringLiteral("games/DeusEx")} << false
        << "games/DeusEx";
    QTest::newRow("Heroic, an entry without the game first")
        << RecordedFolders{}
        << Files{{QStringLiteral("home/.config/heroic/gog_store/installed.json"),
                  HeroicList({QStringLiteral("games/Empty"), QStringLiteral("Games/Heroic/Deus Ex")})},
                 {QStringLiteral("games/Empty/System/Readme.txt"), "No game here."}}
        << QStringList{QStringLiteral("Games/Heroic/Deus Ex")} << true << "Games/Heroic/Deus Ex";
    QTest::newRow("Flatpak Heroic after a broken native list")
        << RecordedFolders{}
        << Files{{QStringLiteral("home/.config/heroic/gog_store/installed.json"), "{\"installed\": [{\"install_pa"},
                 {QStringLiteral("home/.var/app/com.heroicgameslauncher.hgl/config/heroic/gog_store/installed.json"),
                  HeroicList({QStringLiteral("Games/Heroic/DeusEx")})}}
        << QStringList{QStringLiteral("Games/Heroic/DeusEx")} << true << "Games/Heroic/DeusEx";
    QTest::newRow("empty Heroic lists, GOG's key")
        << RecordedFolders{Gog(QStringLiteral("1207658919"), QStringLiteral("GOG Games/Deus Ex"))}
        << Files{{QStringLiteral("home/.config/heroic/gog_store/installed.json"), ""},
                 {QStringLiteral("home/.var/app/com.heroicgameslauncher.hgl/config/heroic/gog_store/installed.json"),
                  "[]"}}
        << QStringList{QStringLiteral("GOG Games/Deus Ex")} << true << "GOG Games/Deus Ex";
    QTest::newRow("Heroic before Steam") << RecordedFolders{}
                                         << Files{{QStringLiteral("home/.config/heroic/gog_store/installed.json"),
                                                   HeroicList({QStringLiteral("Games/Heroic/Deus Ex")})},
                                                  {steamRoot + manifest, Manifest}}
                                         << QStringList{QStringLiteral("Games/Heroic/Deus Ex"), steamRoot + common}
                                         << true << "Games/Heroic/Deus Ex";
    QTest::newRow("Steam through SteamPath")
        << RecordedFolders{SteamPath(QStringLiteral("Steam"))} << Files{{QStringLiteral("Steam") + manifest, Manifest}}
        << QStringList{QStringLiteral("Steam") + common} << false << "Steam/steamapps/common/Deus Ex";
    QTest::newRow("Steam through the machine's InstallPath")
        << RecordedFolders{{RegistryRoot::LocalMachine, QString::fromUtf16(SteamMachineKey),
                            QString::fromUtf16(SteamMachineValue), QStringLiteral("Steam")}}
        << Files{{QStringLiteral("Steam/steamapps/libraryfolders.vdf"), Library},
                 {QStringLiteral("games/Library") + manifest, Manifest}}
        << QStringList{QStringLiteral("games/Library") + common} << false << "games/Library/steamapps/common/Deus Ex";
    QTest::newRow("SteamApps in the Steam root")
        << RecordedFolders{} << Files{{steamRoot + QStringLiteral("/SteamApps/appmanifest_6910.acf"), Manifest}}
        << QStringList{steamRoot + QStringLiteral("/SteamApps/common/Deus Ex")} << true
        << steamRoot + QStringLiteral("/SteamApps/common/Deus Ex");
    QTest::newRow("SteamApps in a library")
        << RecordedFolders{SteamPath(QStringLiteral("Steam"))}
        << Files{{QStringLiteral("Steam/SteamApps/libraryfolders.vdf"), Library},
                 {QStringLiteral("games/Library/SteamApps/appmanifest_6910.acf"), Manifest}}
        << QStringList{QStringLiteral("games/Library/SteamApps/Common/Deus Ex")} << false
        << "games/Library/SteamApps/Common/Deus Ex";
    QByteArray renamed = Library;
    renamed.replace("@ROOT@/games/Library", "@ROOT@/GAMES/library");
    QTest::newRow("library listed in other letter case")
        << RecordedFolders{}
        << Files{{steamRoot + QStringLiteral("/steamapps/libraryfolders.vdf"), renamed},
                 {QStringLiteral("games/Library") + manifest, Manifest}}
        << QStringList{QStringLiteral("games/Library") + common} << true << "games/Library/steamapps/common/Deus Ex";
    QTest::newRow("GOG before Steam") << RecordedFolders{SteamPath(QStringLiteral("Steam")),
                                                         Gog(QStringLiteral("1207658919"),
                                                             QStringLiteral("GOG Games/Deus Ex"))}
                                      << Files{{QStringLiteral("Steam") + manifest, Manifest}}
                                      << QStringList{QStringLiteral("Steam") + common,
                                                     QStringLiteral("GOG Games/Deus Ex")}
                                      << false << "GOG Games/Deus Ex";
    QTest::newRow("nowhere") << RecordedFolders{Installer(QStringLiteral("games/Empty")),
                                                Gog(QStringLiteral("1207658919"), QStringLiteral("games/Gone"))}
                             << emptyFolders << QStringList{} << false << "";
}

void TestGame::installedGame()
{
    QFETCH(RecordedFolders, registry);
    QFETCH(Files, files);
    QFETCH(QStringList, games);
    QFETCH(bool, linuxOnly);
    QFETCH(QString, expected);
    QTemporaryDir tmp;
    const QString root = QFileInfo(tmp.path()).canonicalFilePath();
    const QString home = root + QStringLiteral("/home");
    QDir().mkpath(home);
    QByteArray rootText = QDir::toNativeSeparators(root).toUtf8();
    rootText.replace("\\", "\\\\"); // as Steam's and Heroic's files escape it
    for (auto it = files.constBegin(); it != files.constEnd(); ++it)
        writeFile(root + u'/' + it.key(), QByteArray(it.value()).replace("@ROOT@", rootText));
    for (const QString& game : games)
        makeGame(root + u'/' + game);

#ifdef Q_OS_WIN
    if (linuxOnly)
        QSKIP("Linux only: Heroic's lists, Steam for Linux's folders.");
    if (!UnderWine())
        QSKIP("This case writes the installers' registry keys: it runs only in a throwaway Wine prefix.");
    const auto forget = qScopeGuard([&] { ForgetRegistry(registry); });
    QVERIFY(WriteRegistry(registry, root));
    const Qt::CaseSensitivity caseSensitivity = Qt::CaseInsensitive;
#else
    Q_UNUSED(linuxOnly);
    const QString prefix = root + QStringLiteral("/prefix");
    WriteWinePrefix(prefix, registry, root);
    qputenv("WINEPREFIX", QFile::encodeName(prefix));
    const Qt::CaseSensitivity caseSensitivity = Qt::CaseSensitive;
#endif
    qputenv("HOME", QFile::encodeName(home));
    const QString found = FindInstalledGame();
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qunsetenv("WINEPREFIX");

    const QString wanted = expected.isEmpty() ? QString() : QDir::toNativeSeparators(root + u'/' + expected);
    QVERIFY2(found.compare(wanted, caseSensitivity) == 0, qPrintable(found + QStringLiteral(" != ") + wanted));
}

void TestGame::settingsReadersPassSpecialFilesBy()
{
#ifndef Q_OS_UNIX
    QSKIP("Unix only: pipes, devices and links to them are made with Unix calls.");
#endif
    // The loader's flag file, the Wine registry and Steam's lists, each a
    // pipe or a device: nothing is found, and nothing waits.
    GameFixture::Options options;
    options.quenlarIni = false;
    GameFixture game(options);
    MakeSpecialFile(game.file(QStringLiteral("System/Quenlar.ini")), QStringLiteral("pipe"));
    const AutostartFlag flag = endsWithin([&game] { return ReadAutostartFlag(game.gamePath()); }, "the flag");
    QVERIFY(!flag.on);
    QVERIFY2(flag.error.contains(QStringLiteral("pipe")), qPrintable(flag.error));

    QTemporaryDir prefix;
    MakeSpecialFile(prefix.filePath(QStringLiteral("system.reg")), QStringLiteral("device"));
    QCOMPARE(endsWithin([&prefix] { return WineRegistry::GetStringFromPrefix(prefix.path(), InstallKeyText, Folder); },
                        "the Wine registry"),
             QString());

    QTemporaryDir home;
    const QString steamApps = home.filePath(QStringLiteral(".local/share/Steam/steamapps"));
    makeGame(steamApps + QStringLiteral("/common/Deus Ex"));
    MakeSpecialFile(steamApps + QStringLiteral("/libraryfolders.vdf"), QStringLiteral("pipe"));
    MakeSpecialFile(steamApps + QStringLiteral("/appmanifest_6910.acf"), QStringLiteral("link to a pipe"));
    QCOMPARE(endsWithin([&home] { return FindSteamGame(SteamRoots(home.path())); }, "the Steam libraries"), QString());
}

QTEST_GUILESS_MAIN(TestGame)
#include "test_game.moc"

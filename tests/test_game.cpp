// The game installation's rules: the Wine registry reader, game file names,
// the loader's INI files, the Steam libraries and every place the game is
// looked for.

#include "support/DiskFaults.h"
#include "support/GameFixture.h"
#include "support/SpecialFiles.h"

#include "discovery/GameDiscovery.h"
#include "discovery/InstalledGame.h"
#include "discovery/SteamDiscovery.h"
#include "discovery/WineLaunchers.h"
#include "discovery/WineRegistry.h"
#include "files/AnsiText.h"
#include "files/Paths.h"
#include "files/TextFile.h"
#include "game/GamePath.h"
#include "game/LoaderFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>

#endif

using namespace Qt::StringLiterals;

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

} // namespace

class TestGame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void wineRegistry_data();
    void wineRegistry();
    void wineRegistryInPieces_data();
    void wineRegistryInPieces();
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
    void fileHeldByAnotherProgram();
    void lockedFolderKeepsFilesWritable();
    void writesKeepEveryByte_data();
    void writesKeepEveryByte();
    void readsOnlyRegularFiles_data();
    void readsOnlyRegularFiles();
    void readingStopsAtTheLimit();
    void settingsReadersPassSpecialFilesBy();

    void vdfForms();
    void steamDiscovery_data();
    void steamDiscovery();
    void installedGame_data();
    void installedGame();
    void launcherEntries();

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

void TestGame::wineRegistryInPieces_data()
{
    // A registry file is read a piece at a time, and of it only the keys
    // asked for are kept. Filler keys put the key asked for, or its value,
    // across the end of the first piece (256 KiB), or make a line longer than
    // a piece.
    QTest::addColumn<qsizetype>("filler");   // bytes of filler keys before the key asked for
    QTest::addColumn<qsizetype>("longLine"); // a value line of that length in the last filler key
    QTest::addColumn<QString>("expected");

    const qsizetype piece = 256 * 1024;
    QTest::newRow("small file") << qsizetype(0) << qsizetype(0) << "C:\\Dx";
    for (const qsizetype before : {qsizetype(1), qsizetype(20), qsizetype(60), qsizetype(120)})
        QTest::addRow("key %lld bytes before a piece's end", qlonglong(before))
            << piece - before << qsizetype(0) << "C:\\Dx";
    QTest::newRow("a line longer than a piece") << qsizetype(1000) << 3 * piece << "C:\\Dx";
}

void TestGame::wineRegistryInPieces()
{
    QFETCH(qsizetype, filler);
    QFETCH(qsizetype, longLine);
    QFETCH(QString, expected);
    QByteArray reg = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
    // Keys alike in their first part, as a registry's are.
    for (int n = 0; reg.size() < filler - 100; ++n)
        reg += "\n[Software\\\\Classes\\\\Key" + QByteArray::number(n) + "] 1700000000\n@=\"" +
               QByteArray(n % 40, 'x') + "\"\n";
    reg.append(QByteArray(qMax<qsizetype>(0, filler - 2 - reg.size()), ';')).append("\n");
    if (longLine > 0)
        reg += "\n[Software\\\\Long] 1700000000\n\"Data\"=\"" + QByteArray(longLine, 'y') + "\"\n";
    reg +=
        PlainKey +
        " 1700000000\n#time=1d9a0b0c0d0e0f0\n\"Other\"=\"[not a key]\"\n\"Folder\"=\"C:\\\\Dx\"\n"
        "\n[Software\\\\Unreal Technology\\\\Installed Apps\\\\Deus Ex\\\\Sub] 1700000000\n\"Folder\"=\"C:\\\\Sub\"\n"
        "\n[System\\\\After] 1700000000\n\"Folder\"=\"C:\\\\After\"\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("system.reg"));
    writeFile(path, reg);

    const WineRegistry::Hive all = WineRegistry::Hive::read(path);
    QCOMPARE(all.value(InstallKeyText, Folder), expected);
    QCOMPARE(all.value(QStringLiteral("System\\After"), Folder), QStringLiteral("C:\\After"));
    const WineRegistry::Hive some = WineRegistry::Hive::read(path, {InstallKeyText});
    QCOMPARE(some.value(InstallKeyText, Folder), expected);
    QCOMPARE(some.subkeys(InstallKeyText), QStringList{QStringLiteral("Sub")});
    QCOMPARE(some.value(QStringLiteral("System\\After"), Folder), QString());
    QCOMPARE(some.value(QStringLiteral("Software\\Classes\\Key1"), QString()), QString());

    // Larger than any registry: nothing (the file is sparse, so nothing is written).
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.resize(MaxIniBytes + 1));
    file.close();
    QCOMPARE(WineRegistry::Hive::read(path, {InstallKeyText}).value(InstallKeyText, Folder), QString());
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

    const QString translated = WineRegistry::toUnixPath(prefix, windowsPath);
    QCOMPARE(translated, expected == QLatin1String("-") ? QString() : root + u'/' + expected);
}

void TestGame::winePrefixFromEnvironment()
{
#ifdef Q_OS_WIN
    QSKIP("Linux only: the Wine prefix is found through HOME and WINEPREFIX.");
#endif
    QCOMPARE(WineRegistry::defaultPrefix(), m_home.path() + QStringLiteral("/.wine"));
    QTemporaryDir prefix;
    qputenv("WINEPREFIX", QFile::encodeName(prefix.path()));
    QCOMPARE(WineRegistry::defaultPrefix(), prefix.path());
    // No system.reg there: nothing, and nothing is made.
    QCOMPARE(WineRegistry::getStringFromPrefix(prefix.path(), InstallKeyText, Folder), QString());
    QVERIFY(QDir(prefix.path()).isEmpty());
    writeFile(prefix.filePath(QStringLiteral("system.reg")), systemReg(PlainKey, "\"Folder\"=\"C:\\\\Dx\""));
    QCOMPARE(WineRegistry::getStringFromPrefix(prefix.path(), InstallKeyText, Folder), QStringLiteral("C:\\Dx"));
    qunsetenv("WINEPREFIX");
}

void TestGame::trailingSeparator_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    const QString s = pathSeparator();
    QTest::newRow("empty stays empty") << ""
                                       << "";
    QTest::newRow("missing") << "/games/DeusEx" << u"/games/DeusEx"_s + s;
    QTest::newRow("one already") << u"/games/DeusEx"_s + s << u"/games/DeusEx"_s + s;
    QTest::newRow("doubled") << u"/games/DeusEx"_s + s + s << u"/games/DeusEx"_s + s;
    QTest::newRow("forward slash") << "/games/DeusEx/" << u"/games/DeusEx"_s + s;
    QTest::newRow("root") << "/" << QDir::toNativeSeparators(QStringLiteral("/"));
}

void TestGame::trailingSeparator()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(withTrailingSeparator(path), expected);
}

void TestGame::gameFilesIgnoreLetterCase()
{
    QTemporaryDir tmp;
    if (!caseSensitiveFileSystem(tmp.path()))
        QSKIP("Letter case makes no difference on this file system.");
    const QString dir = tmp.filePath(QStringLiteral("Copied"));
    makeLowerCaseGame(dir);
    const QString gamePath = QDir::toNativeSeparators(dir) + pathSeparator();
    const QString sep = pathSeparator();

    QVERIFY(isGameDirectory(dir));
    QVERIFY(isGameDirectory(gamePath));
    QCOMPARE(gameFile(gamePath, QStringLiteral("System/DeusEx.ini")),
             gamePath + QStringLiteral("system") + sep + QStringLiteral("deusex.ini"));
    // A file still to be made keeps its own name in the folder that is there.
    QCOMPARE(autostartFlagFile(gamePath), gamePath + QStringLiteral("system") + sep + QStringLiteral("Quenlar.ini"));
    QCOMPARE(gameFile(gamePath, QStringLiteral("System/")), gamePath + QStringLiteral("system") + sep);
    QCOMPARE(gameFile(gamePath, QStringLiteral("Maps/Intro.dx")),
             gamePath + QStringLiteral("Maps") + sep + QStringLiteral("Intro.dx"));
    // However the directory ends, one separator joins it to the name: a path
    // still being typed forms no "CopiedSystem", a doubled one no "//".
    for (const QString& typed : {QDir::toNativeSeparators(dir), gamePath + sep, gamePath + QStringLiteral("/")})
        QCOMPARE(gameFile(typed, QStringLiteral("System/DeusEx.ini")),
                 gamePath + QStringLiteral("system") + sep + QStringLiteral("deusex.ini"));

    // The exact spelling wins over another one.
    writeFile(dir + QStringLiteral("/System/DeusEx.exe"), "MZ");
    QCOMPARE(gameFile(gamePath, QStringLiteral("System/DeusEx.exe")),
             gamePath + QStringLiteral("System") + sep + QStringLiteral("DeusEx.exe"));

    // A folder of that name is no game, nor is a hidden file.
    QTemporaryDir other;
    QDir().mkpath(other.filePath(QStringLiteral("System/DeusEx.exe")));
    QVERIFY(!isGameDirectory(other.path()));
    QVERIFY(!isGameDirectory(QString()));
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
    QCOMPARE(namesGameDefault(before), offered);
    QCOMPARE(::switchedDefaultGame(before), after);
}

void TestGame::switchKeepsFirstBackup()
{
    const QByteArray original = "[Engine.Engine]\nDefaultGame=DeusEx.DeusExGameInfo\n";
    GameFixture::Options options;
    options.deusExIniText = original;
    GameFixture game(options);

    QVERIFY(SwitchDefaultGame(game.gamePath(), original).ok());
    QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini")), ::switchedDefaultGame(original));
    QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini.bak")), original);

    // The game put its line back; switching again keeps the first backup.
    const QByteArray second = "DefaultGame=DeusEx.DeusExGameInfo\nSecond=1";
    game.write(QStringLiteral("System/DeusEx.ini"), second);
    QVERIFY(SwitchDefaultGame(game.gamePath(), second).ok());
    QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini")), ::switchedDefaultGame(second));
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
        const QString error = SwitchDefaultGame(game.gamePath(), original).error();
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
        const QString error = SwitchDefaultGame(game.gamePath(), original).error();
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

    const Result<bool> flag = ReadAutostartFlag(game.gamePath());
    QCOMPARE(flag.valueOr(false), on);
    QCOMPARE(!flag.ok(), error);
    QCOMPARE(flag.error().isEmpty(), !error);
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
        const Result<> written = writeTextFile(mod, QStringLiteral("new"), InPlaceWrite::WhenNoTemporaryFile);
        QCOMPARE(written.error(), QStringLiteral("Another program is using the file. Close it there and try again."));
    }
    QCOMPARE(game.read(QStringLiteral("System/Held.int")), QByteArray("old"));
#else
    // Here an open file is no obstacle: it is replaced.
    QFile other(mod);
    QVERIFY(other.open(QIODevice::ReadOnly));
    QVERIFY(writeTextFile(mod, QStringLiteral("new"), InPlaceWrite::WhenNoTemporaryFile).ok());
    QCOMPARE(game.read(QStringLiteral("System/Held.int")), QByteArray("new"));
#endif
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
    QVERIFY(writeTextFile(mod, QStringLiteral("new"), InPlaceWrite::WhenNoTemporaryFile).ok());
    QCOMPARE(game.read(QStringLiteral("System/Shared.int")), QByteArray("new"));
    QVERIFY(WriteAutostartFlag(game.gamePath(), true, FlagForm::Spaced).ok());
    QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart = True"));

    // A new file cannot be made, and the reason names the folder.
    const QString error = writeTextFile(game.file(QStringLiteral("System/New.int")), QStringLiteral("x"),
                                        InPlaceWrite::WhenNoTemporaryFile)
                              .error();
    QVERIFY2(error.contains(QStringLiteral("not writable")) && error.contains(system), qPrintable(error));

    // The game's settings are switched only with a copy kept beside them.
    const QByteArray ini = game.read(QStringLiteral("System/DeusEx.ini"));
    const QString switchError = SwitchDefaultGame(game.gamePath(), ini).error();
    QVERIFY2(switchError.contains(QStringLiteral("not writable")), qPrintable(switchError));
    QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini")), ini);
    QVERIFY(!game.exists(QStringLiteral("System/DeusEx.ini.bak")));
}

namespace {

// What the write tests write: each longer than the file it replaces and
// than a page of the small disk, so that a disk which fills in the middle of
// a write stops it there.
QByteArray RepeatedLine(const QByteArray& line, int times)
{
    QByteArray bytes;
    for (int i = 0; i < times; ++i)
        bytes += line;
    return bytes;
}
const QByteArray OldMod = "[Public]\r\nObject=(Name=\"Old\",Class=Class,MetaClass=Quenlar.MLGameInfo)\r\n" +
                          RepeatedLine("; the mod as it was saved before\r\n", 80);
const QByteArray NewMod = "[Public]\r\nObject=(Name=\"New\",Class=Class,MetaClass=Quenlar.MLGameInfo)\r\n" +
                          RepeatedLine("; the mod as it is saved now\r\n", 400);
const QByteArray BigSettings = "[Engine.Engine]\r\nDefaultGame=DeusEx.DeusExGameInfo\r\n" +
                               RepeatedLine("; the game's own settings, kept byte for byte\r\n", 250);

} // namespace

void TestGame::writesKeepEveryByte_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("fault");
    const QStringList targets{
        QStringLiteral("new mod file"),
        QStringLiteral("mod file"),
        QStringLiteral("mod file in a locked folder"),
        QStringLiteral("Quenlar.ini"),
        QStringLiteral("DeusEx.ini"),
        QStringLiteral("DeusEx.ini with an earlier backup"),
    };
    const QStringList faults{
        QStringLiteral("full disk (file-size limit)"),
        QStringLiteral("full disk (small disk)"),
        QStringLiteral("fills mid-write (file-size limit)"),
        QStringLiteral("fills mid-write (small disk)"),
        QStringLiteral("read-only file"),
        QStringLiteral("locked folder"),
        QStringLiteral("pipe"),
        QStringLiteral("device node"),
        QStringLiteral("link to a pipe"),
        QStringLiteral("link to a device node"),
        QStringLiteral("link to a file"),
    };
    for (const QString& target : targets) {
        for (const QString& fault : faults) {
            // A new file has nothing in its place to be read-only or special.
            const bool onTheFile = !fault.contains(QStringLiteral("disk")) && fault != QLatin1String("locked folder");
            if (target == QLatin1String("new mod file") && onTheFile)
                continue;
            if (target.endsWith(QLatin1String("locked folder")) && fault == QLatin1String("locked folder"))
                continue;
            QTest::addRow("%s, %s", qPrintable(target), qPrintable(fault)) << target << fault;
        }
    }
}

void TestGame::writesKeepEveryByte()
{
    QFETCH(QString, target);
    QFETCH(QString, fault);
    const bool onSmallDisk = fault.endsWith(QLatin1String("(small disk)"));
    const bool underSizeLimit = fault.endsWith(QLatin1String("(file-size limit)"));
    const bool diskFull = fault.startsWith(QLatin1String("full disk"));
    const bool special = fault.contains(QLatin1String("pipe")) || fault.contains(QLatin1String("device"));
    const bool modFile = target.contains(QLatin1String("mod file"));
    const bool settings = target.startsWith(QLatin1String("DeusEx.ini"));

    std::optional<SmallDisk> disk;
    if (onSmallDisk) {
        disk.emplace();
        if (!disk->mounted())
            QSKIP(qPrintable(disk->whyNot()));
        if (target == QLatin1String("Quenlar.ini") && !diskFull)
            QSKIP("The flag file is smaller than a page: the disk cannot fill in the middle of it.");
    }
    if (underSizeLimit && !FileSizeLimit::available())
        QSKIP("No file-size limit here.");
    // Anyone else gets a link to one of the system's devices, which they
    // cannot replace even where a write wrongly went through.
    QString kind = fault;
    if (fault == QLatin1String("link to a device node") && !RunsAsAdministrator())
        kind = QStringLiteral("device");
    if (fault == QLatin1String("device node") && !RunsAsAdministrator())
        QSKIP("Only an administrator can make a device node.");
#ifndef Q_OS_UNIX
    if (special || fault == QLatin1String("link to a file"))
        QSKIP("Pipes, devices and links are made with Unix calls.");
#endif

    GameFixture::Options options;
    options.under = disk ? disk->path() : QString();
    options.deusExIniText = BigSettings;
    GameFixture game(options);
    QString relative;
    QByteArray written;
    if (modFile) {
        relative = target == QLatin1String("new mod file") ? QStringLiteral("System/New.int")
                                                           : QStringLiteral("System/Mod.int");
        written = NewMod;
        game.write(QStringLiteral("System/Mod.int"), OldMod);
    } else if (settings) {
        relative = QStringLiteral("System/DeusEx.ini");
        written = ::switchedDefaultGame(BigSettings);
        if (target.endsWith(QLatin1String("earlier backup")))
            game.write(QStringLiteral("System/DeusEx.ini.bak"), "earlier");
    } else {
        relative = QStringLiteral("System/Quenlar.ini");
        written = AnsiText::encode(autostartFlagText(true, FlagForm::Spaced)).value();
    }
    const QString file = game.file(relative);
    const QString system = game.file(QStringLiteral("System"));

    QString changed = relative; // where the written bytes end up
    if (fault == QLatin1String("read-only file")) {
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    } else if (special) {
        QVERIFY(QFile::remove(file));
        MakeSpecialFile(file, kind);
        if (QTest::currentTestFailed())
            return;
    } else if (fault == QLatin1String("link to a file")) {
        changed = relative + QStringLiteral(".real");
        QVERIFY(QFile::rename(file, game.file(changed)));
        QVERIFY(QFile::link(game.file(changed), file));
    }
    std::optional<LockedFolder> lock;
    if (fault == QLatin1String("locked folder") || target.endsWith(QLatin1String("locked folder"))) {
        lock.emplace(system);
        if (!lock->locked())
            QSKIP(qPrintable(lock->whyNot()));
    }

    const QMap<QString, QByteArray> before = FolderSnapshot(game.gamePath());
    if (disk)
        QVERIFY(disk->fill(diskFull ? 0 : SmallDisk::Page));
    QString error;
    {
        std::optional<FileSizeLimit> limit;
        if (underSizeLimit) {
            limit.emplace(diskFull ? 0 : written.size() / 2);
            QVERIFY(limit->active());
        }
        if (modFile)
            error = writeTextFile(file, QString::fromLatin1(written), InPlaceWrite::WhenNoTemporaryFile).error();
        else if (settings)
            error = SwitchDefaultGame(game.gamePath(), BigSettings).error();
        else
            error = WriteAutostartFlag(game.gamePath(), true, FlagForm::Spaced).error();
    }
    if (lock)
        lock->unlock();
    const QMap<QString, QByteArray> after = FolderSnapshot(game.gamePath());

    // A file in a folder that takes no new files is rewritten in place, but
    // the game's settings are only ever replaced whole, beside their copy.
    const bool writes =
        fault == QLatin1String("link to a file") ||
        (fault == QLatin1String("locked folder") && !settings && target != QLatin1String("new mod file"));
    if (writes) {
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QMap<QString, QByteArray> expected = before;
        expected[changed] = "bytes " + written;
        if (target == QLatin1String("DeusEx.ini"))
            expected[QStringLiteral("System/DeusEx.ini.bak")] = "bytes " + BigSettings;
        QVERIFY2(after == expected, qPrintable(SnapshotDifference(expected, after)));
        return;
    }

    // Every file as it was, nothing new beside them, and the reason.
    QVERIFY2(after == before, qPrintable(SnapshotDifference(before, after)));
    QString reason;
    if (onSmallDisk || underSizeLimit)
        reason = QStringLiteral("The disk is full.");
    else if (fault == QLatin1String("read-only file"))
        reason = QStringLiteral("The file is read-only.");
    else if (special)
        reason = QStringLiteral("It is a device, pipe or socket, not a file.");
    else
        reason = QStringLiteral("The folder %1 is not writable.").arg(pathInMessage(system));
    QVERIFY2(error.endsWith(reason), qPrintable(error));
    if (settings) {
        // Which of the two files failed is named.
        const bool backupFirst =
            target == QLatin1String("DeusEx.ini") && fault != QLatin1String("read-only file") && !special;
        QVERIFY2(error.contains(backupFirst ? game.file(QStringLiteral("System/DeusEx.ini.bak")) : file),
                 qPrintable(error));
    }
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
    const Result<QByteArray> read = EndsWithin([path] { return readFileBytes(path); }, "reading a special file");
    QVERIFY(!read.ok());
    QCOMPARE(read.error(), error);
    const Result<QString> text = EndsWithin([path] { return readTextFile(path); }, "reading a special file as text");
    QVERIFY(!text.ok());
    QCOMPARE(text.error(), error);
}

void TestGame::readingStopsAtTheLimit()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Ten.ini"));
    writeFile(file, "0123456789");
    QCOMPARE(readFileBytes(file, 10).valueOr({}), QByteArray("0123456789"));
    QCOMPARE(readFileBytes(file, 9).error(), QStringLiteral("The file is too large."));
#ifdef Q_OS_UNIX
    const QString link = dir.filePath(QStringLiteral("Link.ini"));
    QVERIFY(QFile::link(file, link));
    QCOMPARE(readTextFile(link).valueOr({}), QStringLiteral("0123456789"));
#endif
#ifdef Q_OS_LINUX
    // A file of the system's that reports no size but has one: the limit
    // holds against what is read, not what the file claims.
    const QString status = QStringLiteral("/proc/self/status");
    QCOMPARE(QFileInfo(status).size(), 0);
    QCOMPARE(readFileBytes(status, 16).error(), QStringLiteral("The file is too large."));
    QVERIFY(readFileBytes(status).valueOr({}).startsWith("Name:"));
#endif
}

void TestGame::vdfForms()
{
    const VdfNode old = VdfNode::parse(QStringLiteral("\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\"1\"\n"
                                                      "\t\"1\"\t\t\"/mnt/games/Steam\"\n\t\"2\" \"D:\\\\Steam\"\n}\n"));
    const VdfNode* folders = old.block(QStringLiteral("libraryfolders"));
    QVERIFY(folders);
    QCOMPARE(folders->text(QStringLiteral("1")), QStringLiteral("/mnt/games/Steam"));
    QCOMPARE(folders->text(QStringLiteral("2")), QStringLiteral("D:\\Steam"));

    const VdfNode current = VdfNode::parse(QStringLiteral(
        "// written by Steam\n\"libraryfolders\" {\n \"0\" { \"path\" \"/home/u/.local/share/Steam\"\n"
        "  \"apps\" { \"6910\" \"123\" \"70\" \"456\" } }\n \"1\" { path /mnt/Games [$LINUX] \"apps\" { } }\n}"));
    folders = current.block(QStringLiteral("libraryfolders"));
    QVERIFY(folders);
    QCOMPARE(folders->entries.size(), 2);
    QCOMPARE(folders->block(QStringLiteral("0"))->block(QStringLiteral("apps"))->text(QStringLiteral("6910")),
             QStringLiteral("123"));
    QCOMPARE(folders->block(QStringLiteral("1"))->text(QStringLiteral("path")), QStringLiteral("/mnt/Games"));

    // Cut short and with stray braces: what came before the damage is kept.
    const VdfNode broken = VdfNode::parse(QStringLiteral("}\"AppState\" { \"appid\" \"6910\" \"installdir\" \"Deus"));
    QVERIFY(broken.block(QStringLiteral("AppState")));
    QCOMPARE(broken.block(QStringLiteral("AppState"))->text(QStringLiteral("installdir")), QStringLiteral("Deus"));
    QVERIFY(VdfNode::parse(QString()).entries.isEmpty());

    // Deep nesting is read without exhausting the stack; the pairs inside
    // the deep part still count, and the braces still pair up.
    const QString deep = QStringLiteral("\"a\" ").repeated(1) + QStringLiteral("{ ").repeated(200000) +
                         QStringLiteral("\"k\" \"v\" ") + QStringLiteral("} ").repeated(200000) +
                         QStringLiteral("\"after\" \"x\"");
    const VdfNode nested = VdfNode::parse(deep);
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

    QCOMPARE(findSteamGame(steamRoots(home)), expected.isEmpty() ? QString() : root + u'/' + expected);
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

// A Wine prefix's registry file in which a 32-bit program recorded a Windows
// path under the key and value given (HKEY_LOCAL_MACHINE in the 32-bit view
// for system.reg).
QByteArray RegFile(const QString& key, const QString& name, const QString& windowsPath, bool machine = true)
{
    const auto escaped = [](const QString& text) { return text.toUtf8().replace("\\", "\\\\"); };
    const QString viewKey = machine ? WineRegistry::bit32KeyNames(key).first() : key;
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n[Software\\\\Classes] "
           "1700000000\n@=\"x\"\n\n[" +
           escaped(viewKey) + "] 1700000000\n#time=1d9a0b0c0d0e0f0\n\"" + escaped(name) + "\"=\"" +
           escaped(windowsPath) + "\"\n";
}

QByteArray InstallerReg(const QString& windowsPath)
{
    return RegFile(QString::fromUtf16(InstallerKey), QString::fromUtf16(InstallerValue), windowsPath);
}

// A Lutris game configuration as Lutris writes it.
QByteArray LutrisConfig(const QByteArray& game)
{
    return "game:\n" + game +
           "\n  arch: win64\ngame_slug: deus-ex\nname: Deus Ex\nrunner: wine\nsystem: {}\n"
           "wine:\n  version: lutris-7.2-2\n  exe: /wrong/System/DeusEx.exe\n";
}

// Heroic's list of side-loaded games, each entry's executable given.
QByteArray HeroicSideload(const QStringList& executables)
{
    QByteArray list = "{\"games\": [";
    for (const QString& exe : executables) {
        list += QByteArray(list.endsWith('[') ? "" : ",") + "{\"runner\": \"sideload\", \"app_name\": \"dx1\", " +
                "\"title\": \"Deus Ex\", \"install\": {\"executable\": \"@ROOT@/" + exe.toUtf8() +
                "\", \"platform\": \"windows\"}, \"folder_name\": \"@ROOT@/" + QFileInfo(exe).path().toUtf8() +
                "\", \"is_installed\": true}";
    }
    return list + "]}";
}

// Heroic's settings of one game, naming its Wine prefix.
QByteArray HeroicGameConfig(const QString& prefix)
{
    return "{\"dx1\": {\"winePrefix\": \"" + prefix.toUtf8() +
           "\", \"wineVersion\": {\"type\": \"proton\"}}, \"version\": \"v0\", \"explicit\": true}";
}

// A file's content that makes it a link to the path after the mark instead.
const QByteArray LinkTo = "@LINK@";

#ifdef Q_OS_WIN
bool underWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

HKEY hkey(RegistryRoot root)
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
        if (RegCreateKeyExW(hkey(r.root), path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key,
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
        RegDeleteKeyExW(hkey(r.root), r.key.toStdWString().c_str(), KEY_WOW64_32KEY, 0);
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
            key = WineRegistry::bit32KeyNames(key).first();
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
    // Steam for Windows in the user's prefix: its libraries are Windows paths.
    const QString windowsSteam = QStringLiteral("prefix/drive_c/Program Files (x86)/Steam");
    const QByteArray windowsLibraries =
        "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"C:\\\\Program Files (x86)"
        "\\\\Steam\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"C:\\\\SteamLibrary\"\n\t}\n"
        "\t\"2\"\n\t{\n\t\t\"path\"\t\t\"d:\\\\steamlibrary\"\n\t}\n}\n";
    QTest::newRow("Steam for Windows, library on C:")
        << RecordedFolders{SteamPath(windowsSteam)}
        << Files{{windowsSteam + QStringLiteral("/steamapps/libraryfolders.vdf"), windowsLibraries},
                 {QStringLiteral("prefix/dosdevices/c:"), LinkTo + "../drive_c"},
                 {QStringLiteral("prefix/drive_c/SteamLibrary") + manifest, Manifest}}
        << QStringList{QStringLiteral("prefix/drive_c/SteamLibrary") + common} << true
        << "prefix/drive_c/SteamLibrary/steamapps/common/Deus Ex";
    QTest::newRow("Steam for Windows, library on a D: that is a link, C: without the game")
        << RecordedFolders{SteamPath(windowsSteam)}
        << Files{{windowsSteam + QStringLiteral("/steamapps/libraryfolders.vdf"), windowsLibraries},
                 {QStringLiteral("prefix/dosdevices/c:"), LinkTo + "../drive_c"},
                 {QStringLiteral("prefix/dosdevices/d:"), LinkTo + "@ROOT@/drive-d"},
                 {QStringLiteral("prefix/drive_c/SteamLibrary") + manifest, Manifest},
                 {QStringLiteral("prefix/drive_c/SteamLibrary/steamapps/common/Deus Ex/Readme.txt"), "No game."},
                 {QStringLiteral("drive-d/SteamLibrary") + manifest, Manifest}}
        << QStringList{QStringLiteral("drive-d/SteamLibrary") + common} << true
        << "drive-d/SteamLibrary/steamapps/common/Deus Ex";

    // The launchers of Windows games on Linux.
    const QString lutris = QStringLiteral("home/.local/share/lutris/games/");
    const QString lutrisFlatpak = QStringLiteral("home/.var/app/net.lutris.Lutris/data/lutris/games/");
    QTest::newRow("Lutris, a game without the game's files and a broken file first")
        << RecordedFolders{}
        << Files{{lutris + QStringLiteral("aaa-empty-1690000000.yml"),
                  LutrisConfig("  exe: @ROOT@/games/Empty/System/Game.exe\n  prefix: @ROOT@/games/EmptyPrefix")},
                 {lutris + QStringLiteral("broken.yml"),
                  QByteArray("game:\n  exe: '@ROOT@/unclosed\n") + QByteArray("\0\xff", 2)},
                 {lutris + QStringLiteral("deus-ex-1700000000.yml"),
                  LutrisConfig("  exe: @ROOT@/Games/deus-ex/drive_c/Deus Ex/System/DeusEx.exe\n"
                               "  prefix: @ROOT@/Games/deus-ex")},
                 {QStringLiteral("games/Empty/System/Readme.txt"), "No game here."}}
        << QStringList{QStringLiteral("Games/deus-ex/drive_c/Deus Ex")} << true << "Games/deus-ex/drive_c/Deus Ex";
    QTest::newRow("Flatpak Lutris, an executable in the prefix on two lines")
        << RecordedFolders{}
        << Files{{lutrisFlatpak + QStringLiteral("deus-ex-1700000000.yml"),
                  "game:\n  exe: drive_c/GOG Games/Deus Ex\n    GOTY/System/DeusEx.exe\n"
                  "  prefix: '@ROOT@/Games/deus-ex'  # its own\nrunner: wine\n"}}
        << QStringList{QStringLiteral("Games/deus-ex/drive_c/GOG Games/Deus Ex GOTY")} << true
        << "Games/deus-ex/drive_c/GOG Games/Deus Ex GOTY";
    QTest::newRow("Lutris, a prefix whose registry knows the game")
        << RecordedFolders{}
        << Files{{lutris + QStringLiteral("deus-ex.yml"), LutrisConfig("  prefix: \"~/Games/dx-prefix\"")},
                 {QStringLiteral("home/Games/dx-prefix/system.reg"),
                  InstallerReg(QStringLiteral("C:\\GOG Games\\Deus Ex"))}}
        << QStringList{QStringLiteral("home/Games/dx-prefix/drive_c/GOG Games/Deus Ex")} << true
        << "home/Games/dx-prefix/drive_c/GOG Games/Deus Ex";
    const QString bottles = QStringLiteral("home/.local/share/bottles/bottles/");
    QTest::newRow("Bottles, a bottle without the game and a broken one first")
        << RecordedFolders{}
        << Files{{bottles + QStringLiteral("A Empty/bottle.yml"), "Name: A Empty\nPath: A Empty\n"},
                 {bottles + QStringLiteral("A Empty/system.reg"), InstallerReg(QStringLiteral("C:\\Games\\Gone"))},
                 {bottles + QStringLiteral("A Empty/drive_c/Games/Gone/Readme.txt"), "No game here."},
                 {bottles + QStringLiteral("B Broken/bottle.yml"), "Name: [broken"},
                 {bottles + QStringLiteral("B Broken/system.reg"),
                  "WINE REGISTRY Version 2\n[Software\\\\Wow6432Node\\\\Unreal Tech"},
                 {bottles + QStringLiteral("Deus Ex/bottle.yml"), "Name: Deus Ex\nPath: Deus Ex\n"},
                 {bottles + QStringLiteral("Deus Ex/system.reg"), InstallerReg(QStringLiteral("C:\\Games\\Deus Ex"))}}
        << QStringList{bottles + QStringLiteral("Deus Ex/drive_c/Games/Deus Ex")} << true
        << bottles + QStringLiteral("Deus Ex/drive_c/Games/Deus Ex");
    const QString bottlesFlatpak = QStringLiteral("home/.var/app/com.usebottles.bottles/data/bottles/bottles/");
    QTest::newRow("Flatpak Bottles, GOG's key")
        << RecordedFolders{}
        << Files{{bottlesFlatpak + QStringLiteral("gog/system.reg"),
                  RegFile(QString::fromUtf16(GogGamesKey) + QStringLiteral("\\1207658919"), QStringLiteral("path"),
                          QStringLiteral("C:\\GOG Games\\Deus Ex"))}}
        << QStringList{bottlesFlatpak + QStringLiteral("gog/drive_c/GOG Games/Deus Ex")} << true
        << bottlesFlatpak + QStringLiteral("gog/drive_c/GOG Games/Deus Ex");
    const QString bottledSteam = bottles + QStringLiteral("steam/drive_c/Program Files (x86)/Steam");
    QTest::newRow("Bottles, Steam for Windows in a bottle, library on a linked D:")
        << RecordedFolders{}
        << Files{{bottles + QStringLiteral("steam/user.reg"),
                  RegFile(QString::fromUtf16(SteamUserKey), QString::fromUtf16(SteamUserValue),
                          QStringLiteral("C:\\Program Files (x86)\\Steam"), false)},
                 {bottledSteam + QStringLiteral("/steamapps/libraryfolders.vdf"), windowsLibraries},
                 {bottles + QStringLiteral("steam/dosdevices/d:"), LinkTo + "@ROOT@/drive-d"},
                 {QStringLiteral("drive-d/SteamLibrary") + manifest, Manifest}}
        << QStringList{QStringLiteral("drive-d/SteamLibrary") + common} << true
        << "drive-d/SteamLibrary/steamapps/common/Deus Ex";
    QTest::newRow("CrossOver, an empty registry first")
        << RecordedFolders{}
        << Files{{QStringLiteral("home/.cxoffice/Apps/system.reg"), ""},
                 {QStringLiteral("home/.cxoffice/Deus Ex/system.reg"),
                  InstallerReg(QStringLiteral("C:\\Program Files\\Deus Ex"))}}
        << QStringList{QStringLiteral("home/.cxoffice/Deus Ex/drive_c/Program Files/Deus Ex")} << true
        << "home/.cxoffice/Deus Ex/drive_c/Program Files/Deus Ex";
    QTest::newRow("PlayOnLinux, a registry that is a folder first")
        << RecordedFolders{}
        << Files{{QStringLiteral("home/.PlayOnLinux/wineprefix/Aa/system.reg/Readme.txt"), "A folder."},
                 {QStringLiteral("home/.PlayOnLinux/wineprefix/DeusEx/system.reg"),
                  InstallerReg(QStringLiteral("C:\\Deus Ex"))}}
        << QStringList{QStringLiteral("home/.PlayOnLinux/wineprefix/DeusEx/drive_c/Deus Ex")} << true
        << "home/.PlayOnLinux/wineprefix/DeusEx/drive_c/Deus Ex";
    const QString heroicFlatpak = QStringLiteral("home/.var/app/com.heroicgameslauncher.hgl/config/heroic/");
    QTest::newRow("Heroic, a side-loaded game without the game first")
        << RecordedFolders{}
        << Files{{QStringLiteral("home/.config/heroic/sideload_apps/library.json"),
                  HeroicSideload({QStringLiteral("games/Empty/System/Game.exe"),
                                  QStringLiteral("Games/Heroic/Deus Ex/System/DeusEx.exe")})},
                 {QStringLiteral("games/Empty/System/Readme.txt"), "No game here."}}
        << QStringList{QStringLiteral("Games/Heroic/Deus Ex")} << true << "Games/Heroic/Deus Ex";
    QTest::newRow("Flatpak Heroic, a side-loaded game after a broken native list")
        << RecordedFolders{}
        << Files{{QStringLiteral("home/.config/heroic/sideload_apps/library.json"), "{\"games\": [{\"install\": "},
                 {heroicFlatpak + QStringLiteral("sideload_apps/library.json"),
                  HeroicSideload({QStringLiteral("Games/Sideloaded/DeusEx/System/DeusEx.exe")})}}
        << QStringList{QStringLiteral("Games/Sideloaded/DeusEx")} << true << "Games/Sideloaded/DeusEx";
    QTest::newRow("Heroic, game settings' prefixes, native without the game, then Flatpak")
        << RecordedFolders{}
        << Files{{QStringLiteral("home/.config/heroic/GamesConfig/broken.json"), "{\"dx1\": {\"winePref"},
                 {QStringLiteral("home/.config/heroic/GamesConfig/dx1.json"),
                  HeroicGameConfig(QStringLiteral("@ROOT@/heroic/Empty"))},
                 {QStringLiteral("heroic/Empty/system.reg"), InstallerReg(QStringLiteral("C:\\Gone"))},
                 {heroicFlatpak + QStringLiteral("GamesConfig/dx1.json"),
                  HeroicGameConfig(QStringLiteral("@ROOT@/heroic/Deus Ex"))},
                 {QStringLiteral("heroic/Deus Ex/system.reg"), InstallerReg(QStringLiteral("C:\\Deus Ex"))}}
        << QStringList{QStringLiteral("heroic/Deus Ex/drive_c/Deus Ex")} << true << "heroic/Deus Ex/drive_c/Deus Ex";
    QTest::newRow("Heroic's default prefixes")
        << RecordedFolders{}
        << Files{{QStringLiteral("home/Games/Heroic/Prefixes/default/Deus Ex/system.reg"),
                  InstallerReg(QStringLiteral("C:\\GOG Games\\Deus Ex"))}}
        << QStringList{QStringLiteral("home/Games/Heroic/Prefixes/default/Deus Ex/drive_c/GOG Games/Deus Ex")} << true
        << "home/Games/Heroic/Prefixes/default/Deus Ex/drive_c/GOG Games/Deus Ex";
    QTest::newRow("Steam before the launchers")
        << RecordedFolders{}
        << Files{{steamRoot + manifest, Manifest},
                 {lutris + QStringLiteral("deus-ex.yml"), LutrisConfig("  exe: @ROOT@/games/DeusEx/System/DeusEx.exe")}}
        << QStringList{steamRoot + common, QStringLiteral("games/DeusEx")} << true << steamRoot + common;
    QTest::newRow("Lutris before Bottles before Heroic")
        << RecordedFolders{}
        << Files{{QStringLiteral("home/.config/heroic/sideload_apps/library.json"),
                  HeroicSideload({QStringLiteral("games/Heroic/System/DeusEx.exe")})},
                 {bottles + QStringLiteral("Deus Ex/system.reg"), InstallerReg(QStringLiteral("C:\\Deus Ex"))},
                 {lutris + QStringLiteral("deus-ex.yml"), LutrisConfig("  exe: @ROOT@/games/Lutris/System/DeusEx.exe")}}
        << QStringList{QStringLiteral("games/Heroic"), bottles + QStringLiteral("Deus Ex/drive_c/Deus Ex"),
                       QStringLiteral("games/Lutris")}
        << true << "games/Lutris";
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
    for (auto it = files.constBegin(); it != files.constEnd(); ++it) {
        const QByteArray bytes = QByteArray(it.value()).replace("@ROOT@", rootText);
        if (bytes.startsWith(LinkTo)) {
            QDir().mkpath(QFileInfo(root + u'/' + it.key()).absolutePath());
            QVERIFY(QFile::link(QString::fromUtf8(bytes.mid(LinkTo.size())), root + u'/' + it.key()));
        } else {
            writeFile(root + u'/' + it.key(), bytes);
        }
    }
    for (const QString& game : games)
        makeGame(root + u'/' + game);

#ifdef Q_OS_WIN
    if (linuxOnly)
        QSKIP("Linux only: Heroic's lists, Steam for Linux's folders.");
    if (!underWine())
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
    const QString found = findInstalledGame();
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qunsetenv("WINEPREFIX");

    const QString wanted = expected.isEmpty() ? QString() : QDir::toNativeSeparators(root + u'/' + expected);
    QVERIFY2(found.compare(wanted, caseSensitivity) == 0, qPrintable(found + QStringLiteral(" != ") + wanted));
}

void TestGame::launcherEntries()
{
    // What each launcher's reader gives, as the search for the game and the
    // game's start read it: names, launchers' ids and which launcher (native
    // or Flatpak) holds an entry.
#ifdef Q_OS_WIN
    QSKIP("Linux only: the launchers and their prefixes' drives are Linux's.");
#endif
    QTemporaryDir tmp;
    const QString home = QFileInfo(tmp.path()).canonicalFilePath();
    const QString lutrisFlatpak = home + QStringLiteral("/.var/app/net.lutris.Lutris/data/lutris/games/");
    writeFile(home + QStringLiteral("/.local/share/lutris/games/deus-ex-1700000000.yml"),
              "# Lutris\ngame:\n  exe: C:\\Games\\Deus Ex\\System\\DeusEx.exe\n  prefix: ~/Games/dx\n"
              "  args: \"-log\"\nname: 'Deus Ex: GOTY'\n");
    writeFile(lutrisFlatpak + QStringLiteral("deus-ex-2.yml"),
              "game:\n  exe: \"/games/It's\\\\ here/System/DeusEx.exe\"\n  wine:\n    prefix: /nested\n");
    QDir().mkpath(home + QStringLiteral("/Games/dx/drive_c/Games/Deus Ex/System"));
    const QList<LutrisGame> lutris = lutrisGames(home);
    QCOMPARE(lutris.size(), 2);
    QCOMPARE(lutris[0].config, QStringLiteral("deus-ex-1700000000"));
    QCOMPARE(lutris[0].slug, QStringLiteral("deus-ex"));
    QCOMPARE(lutris[0].prefix, home + QStringLiteral("/Games/dx"));
    QCOMPARE(lutris[0].exe, home + QStringLiteral("/Games/dx/drive_c/Games/Deus Ex/System/DeusEx.exe"));
    QVERIFY(!lutris[0].flatpak);
    QCOMPARE(lutris[1].slug, QStringLiteral("deus-ex-2"));
    QCOMPARE(lutris[1].exe, QStringLiteral("/games/It's\\ here/System/DeusEx.exe"));
    QCOMPARE(lutris[1].prefix, QString());
    QVERIFY(lutris[1].flatpak);
    QCOMPARE(foldersOfExecutable(lutris[0].exe),
             (QStringList{home + QStringLiteral("/Games/dx/drive_c/Games/Deus Ex"),
                          home + QStringLiteral("/Games/dx/drive_c/Games/Deus Ex/System")}));

    writeFile(home + QStringLiteral("/.local/share/bottles/bottles/dx/bottle.yml"),
              "Arch: win64\nName: \"Deus Ex\"\nPath: dx\n");
    QDir().mkpath(home + QStringLiteral("/.var/app/com.usebottles.bottles/data/bottles/bottles/Other/drive_c"));
    const QList<Bottle> found = bottles(home);
    QCOMPARE(found.size(), 2);
    QCOMPARE(found[0].name, QStringLiteral("Deus Ex"));
    QCOMPARE(found[0].path, home + QStringLiteral("/.local/share/bottles/bottles/dx"));
    QVERIFY(!found[0].flatpak);
    QCOMPARE(found[1].name, QStringLiteral("Other"));
    QVERIFY(found[1].flatpak);

    const QString heroicFlatpak = home + QStringLiteral("/.var/app/com.heroicgameslauncher.hgl/config/heroic/");
    writeFile(heroicFlatpak + QStringLiteral("sideload_apps/library.json"),
              "{\"games\": [{\"runner\": \"sideload\", \"app_name\": \"aBc12\", \"install\": {\"executable\": "
              "\"~/Games/DX/System/DeusEx.exe\"}}, {\"app_name\": \"none\"}]}");
    writeFile(home + QStringLiteral("/.config/heroic/gog_store/installed.json"),
              "{\"installed\": [{\"appName\": \"1207658919\", \"install_path\": \"/games/GOG/Deus Ex\"}]}");
    writeFile(home + QStringLiteral("/.config/heroic/GamesConfig/1207658919.json"),
              "{\"1207658919\": {\"winePrefix\": \"~/Games/Heroic/Prefixes/default/Deus Ex\"}, \"version\": \"v0\"}");
    QDir().mkpath(home + QStringLiteral("/Games/Heroic/Prefixes/default/Deus Ex/drive_c"));
    QDir().mkpath(home + QStringLiteral("/Games/Heroic/Prefixes/Own/drive_c"));
    const QList<HeroicGame> sideloaded = heroicSideloadGames(home);
    QCOMPARE(sideloaded.size(), 1);
    QCOMPARE(sideloaded[0].appName, QStringLiteral("aBc12"));
    QCOMPARE(sideloaded[0].runner, QStringLiteral("sideload"));
    QCOMPARE(sideloaded[0].exe, home + QStringLiteral("/Games/DX/System/DeusEx.exe"));
    QCOMPARE(sideloaded[0].folder, home + QStringLiteral("/Games/DX/System"));
    QVERIFY(sideloaded[0].flatpak);
    const QList<HeroicGame> gog = heroicGogGames(home);
    QCOMPARE(gog.size(), 1);
    QCOMPARE(gog[0].appName, QStringLiteral("1207658919"));
    QCOMPARE(gog[0].runner, QStringLiteral("gog"));
    QCOMPARE(gog[0].folder, QStringLiteral("/games/GOG/Deus Ex"));
    const QList<HeroicPrefix> prefixes = heroicPrefixes(home);
    QCOMPARE(prefixes.size(), 3);
    QCOMPARE(prefixes[0].appName, QStringLiteral("1207658919"));
    QCOMPARE(prefixes[0].path, home + QStringLiteral("/Games/Heroic/Prefixes/default/Deus Ex"));
    QCOMPARE(prefixes[1].path, home + QStringLiteral("/Games/Heroic/Prefixes/Own"));
    QCOMPARE(prefixes[2].path, home + QStringLiteral("/Games/Heroic/Prefixes/default/Deus Ex"));
    QCOMPARE(prefixes[2].appName, QString());
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
    const Result<bool> flag = EndsWithin([&game] { return ReadAutostartFlag(game.gamePath()); }, "the flag");
    QVERIFY(!flag.ok());
    QVERIFY2(flag.error().contains(QStringLiteral("pipe")), qPrintable(flag.error()));

    QTemporaryDir prefix;
    MakeSpecialFile(prefix.filePath(QStringLiteral("system.reg")), QStringLiteral("device"));
    QCOMPARE(EndsWithin([&prefix] { return WineRegistry::getStringFromPrefix(prefix.path(), InstallKeyText, Folder); },
                        "the Wine registry"),
             QString());

    QTemporaryDir home;
    const QString steamApps = home.filePath(QStringLiteral(".local/share/Steam/steamapps"));
    makeGame(steamApps + QStringLiteral("/common/Deus Ex"));
    MakeSpecialFile(steamApps + QStringLiteral("/libraryfolders.vdf"), QStringLiteral("pipe"));
    MakeSpecialFile(steamApps + QStringLiteral("/appmanifest_6910.acf"), QStringLiteral("link to a pipe"));
    QCOMPARE(EndsWithin([&home] { return findSteamGame(steamRoots(home.path())); }, "the Steam libraries"), QString());

    // The launchers' lists and configurations, and a prefix's registry.
    QTemporaryDir launchers;
    MakeSpecialFile(launchers.filePath(QStringLiteral(".local/share/lutris/games/deus-ex.yml")),
                    QStringLiteral("pipe"));
    MakeSpecialFile(launchers.filePath(QStringLiteral(".local/share/bottles/bottles/Dx/bottle.yml")),
                    QStringLiteral("device"));
    MakeSpecialFile(launchers.filePath(QStringLiteral(".cxoffice/Dx/system.reg")), QStringLiteral("link to a pipe"));
    MakeSpecialFile(launchers.filePath(QStringLiteral(".config/heroic/sideload_apps/library.json")),
                    QStringLiteral("pipe"));
    MakeSpecialFile(launchers.filePath(QStringLiteral(".config/heroic/GamesConfig/dx1.json")), QStringLiteral("pipe"));
    QCOMPARE(EndsWithin([&launchers] { return findLaunchersGame(launchers.path()); }, "the launchers' files"),
             QString());
}

QTEST_GUILESS_MAIN(TestGame)
#include "test_game.moc"

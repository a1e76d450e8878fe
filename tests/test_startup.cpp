// The start-up sequence through the window: finding the game directory, the
// loader's set-up question and the autostart flag.

#include "support/Controls.h"
#include "support/DiskFaults.h"
#include "support/GameFixture.h"
#include "support/ScopedEnvironment.h"
#include "support/SpecialFiles.h"
#include "support/TestWindow.h"

#include "app/SettingsStore.h"
#include "app/frmMain.h"
#include "discovery/GameDiscovery.h"
#include "files/Paths.h"
#include "files/TextFile.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>

#endif

using namespace Qt::StringLiterals;

using Kind = ScriptedModalInteraction::Asked::Kind;
using Icon = ModalInteraction::Icon;
using Answer = ModalInteraction::Answer;

namespace {

const QString DetectedSuffix = QStringLiteral(" was detected to be your Deus Ex directory. Is this correct?");
const QString SetUpQuestion =
    QStringLiteral("The Orvane Mod Loader doesn't seem to be setup corectly. Do you want to set it up it now?");
const QString NoPackage = QStringLiteral(
    "Cannot find Quenlar.u. This must be in the DeusEx\\Sytstem folder for the Orvane Mod Loader to work.");
const QString FolderPrompt = QStringLiteral("Select the directory where Deus Ex is installed");
const QString NotAGame = QStringLiteral("Essential Deus Ex files were not found in this directory.");
const QByteArray FlagOn = "[Quenlar.MLGameInfo]\r\nbAutoStart=True";

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

#ifdef Q_OS_WIN
const wchar_t* wide(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

const wchar_t* const InstallKeyW = reinterpret_cast<const wchar_t*>(InstallerKey);

// Records the game as its installer does: a 32-bit program, so its key lands
// in the registry's 32-bit view, where a 64-bit program must look for it.
void registerGame(const TestWindow&, const QString& dir, bool finalBackslash = false)
{
    const QString folder = QDir::toNativeSeparators(QDir::cleanPath(dir)) + QLatin1String(finalBackslash ? "\\" : "");
    HKEY key = nullptr;
    QCOMPARE(RegCreateKeyExW(HKEY_LOCAL_MACHINE, InstallKeyW, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                             &key, nullptr),
             ERROR_SUCCESS);
    const auto bytes = static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t));
    const LONG status = RegSetValueExW(key, reinterpret_cast<const wchar_t*>(InstallerValue), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(wide(folder)), bytes);
    RegCloseKey(key);
    QCOMPARE(status, ERROR_SUCCESS);
}

void forgetGame()
{
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, InstallKeyW, KEY_WOW64_32KEY, 0);
}
#else
void forgetGame() {}

// Makes the test window's Wine prefix say the installer put the game in dir.
void registerGame(const TestWindow& t, const QString& dir, bool finalBackslash = false)
{
    const QString prefix = t.home + QStringLiteral("/.wine");
    QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
    QFile::link(QStringLiteral("/"), prefix + QStringLiteral("/dosdevices/z:"));
    QString windowsPath = QStringLiteral("Z:") + QDir::cleanPath(dir) + QLatin1String(finalBackslash ? "/" : "");
    windowsPath.replace(u'/', QLatin1String("\\\\"));
    writeFile(prefix + QStringLiteral("/system.reg"),
              "WINE REGISTRY Version 2\n\n[Software\\\\Wow6432Node\\\\Unreal Technology\\\\Installed Apps\\\\"
              "Deus Ex] 1700000000\n\"Folder\"=\"" +
                  windowsPath.toUtf8() + "\"\n");
}
#endif

// A short name for each message box, so that a case can list what it shows.
QStringList shown(const ScriptedModalInteraction& ui)
{
    QStringList tags;
    for (const auto& a : ui.asked) {
        if (a.kind == Kind::Folder) {
            tags << QStringLiteral("folder");
        } else if (a.text == SetUpQuestion) {
            tags << QStringLiteral("set up?");
        } else if (a.text.endsWith(DetectedSuffix)) {
            tags << QStringLiteral("detected?");
        } else if (a.text == NoPackage) {
            tags << QStringLiteral("no package");
        } else if (a.text == NotAGame) {
            tags << QStringLiteral("not a game");
        } else if (a.text.contains(QStringLiteral("DeusEx.ini could not be read"))) {
            tags << QStringLiteral("settings unreadable");
        } else if (a.text.contains(QStringLiteral("Quenlar.ini could not be read"))) {
            tags << QStringLiteral("flag unreadable");
        } else if (a.text.startsWith(QStringLiteral("The autostart setting could not be written to"))) {
            tags << QStringLiteral("flag unwritable");
        } else {
            tags << a.text;
        }
    }
    return tags;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { forgetGame(); }
    void cleanup() { forgetGame(); }
    void rememberedPath_data();
    void rememberedPath();
    void detectedPath_data();
    void detectedPath();
    void nothingFoundOpensFolderDialog();
    void folderDialogRetriesUntilGame();
    void folderInOtherLetterCase();
    void steamGameDetected();
    void loaderSetUp_data();
    void loaderSetUp();
    void unwritableFlagFile();
    void setUpOnAFullDisk_data();
    void setUpOnAFullDisk();
    void settingsStoreOnlyAFile_data();
    void settingsStoreOnlyAFile();
    void settingsStoreOnAFullDisk();
    void emptyPathReadsWorkingDirectory();
    void pathSettingFollowsField();
    void pathSettingInTheRegistry();
    void autostartBoxWritesFlag();
    void refusedFlagWriteShowsTheFile_data();
    void refusedFlagWriteShowsTheFile();
};

void TestStartup::rememberedPath_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("settingsRewritten");
    const QString s = QDir::separator();
    QTest::newRow("as stored") << s << false;
    QTest::newRow("closed while the field had the focus") << QString() << true;
    QTest::newRow("doubled separator") << s + s << true;
}

void TestStartup::rememberedPath()
{
    QFETCH(QString, ending);
    QFETCH(bool, settingsRewritten);
    GameFixture game;
    GameFixture other;
    TestWindow t;
    registerGame(t, other.gamePath());
    QString remembered = game.gamePath();
    remembered.chop(1);
    t.settings->setValue(QStringLiteral("DXPath"), remembered + ending);
    // A rewrite of the settings file would drop this comment.
    t.settings->sync();
    QFile file(t.settings->fileName());
    QVERIFY(file.open(QIODevice::Append));
    file.write("; untouched\n");
    file.close();

    t.window->Form_Load();
    QVERIFY(t.window->isVisible());
    QCOMPARE(Control<QLineEdit>(t.window.get(), u"txtPath"_s)->text(), game.gamePath());
    t.settings->sync();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(!file.readAll().contains("; untouched"), settingsRewritten);
    QCOMPARE(t.settings->value(QStringLiteral("DXPath")).toString(), game.gamePath());
    // No look-up, no question about the directory: straight to the loader.
    QCOMPARE(shown(t.ui), QStringList{QStringLiteral("set up?")});
}

void TestStartup::detectedPath_data()
{
    QTest::addColumn<bool>("finalBackslash");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("chooseOther");
    QTest::addColumn<QStringList>("expectedShown");
    QTest::addColumn<bool>("endsInOther");

    const QStringList asked{QStringLiteral("detected?"), QStringLiteral("set up?")};
    const QStringList browsed{QStringLiteral("detected?"), QStringLiteral("folder"), QStringLiteral("set up?")};
    QTest::newRow("Yes") << false << QList<Answer>{Answer::Yes} << false << asked << false;
    QTest::newRow("value ending in a backslash") << true << QList<Answer>{Answer::Yes} << false << asked << false;
    QTest::newRow("No, then Cancel keeps it") << false << QList<Answer>{Answer::No} << false << browsed << false;
    QTest::newRow("No, then another folder") << false << QList<Answer>{Answer::No} << true << browsed << true;
}

void TestStartup::detectedPath()
{
    QFETCH(bool, finalBackslash);
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, chooseOther);
    QFETCH(QStringList, expectedShown);
    QFETCH(bool, endsInOther);
    GameFixture game;
    GameFixture other;
    TestWindow t;
    registerGame(t, game.gamePath(), finalBackslash);
    t.ui.answers = answers;
    if (chooseOther)
        t.ui.dialogAnswers = {QDir::toNativeSeparators(QFileInfo(other.gamePath()).absolutePath())};

    t.window->Form_Load();
    QCOMPARE(shown(t.ui), expectedShown);
    const auto& question = t.ui.asked.first();
    QCOMPARE(question.text, game.gamePath() + DetectedSuffix);
    QCOMPARE(question.icon, Icon::Question);
    QCOMPARE(question.buttons, ModalInteraction::Buttons::YesNo);
    const QString expected = endsInOther ? other.gamePath() : game.gamePath();
    QCOMPARE(Control<QLineEdit>(t.window.get(), u"txtPath"_s)->text(), expected);
    QCOMPARE(t.settings->value(QStringLiteral("DXPath")).toString(), expected);
}

void TestStartup::nothingFoundOpensFolderDialog()
{
    TestWindow t;
    t.window->Form_Load();
    QCOMPARE(shown(t.ui), QStringList{QStringLiteral("folder")});
    QCOMPARE(t.ui.asked[0].text, FolderPrompt);
    QCOMPARE(Control<QLineEdit>(t.window.get(), u"txtPath"_s)->text(), QString());
    QCOMPARE(t.settings->value(QStringLiteral("DXPath")).toString(), QString());
    QVERIFY(!Control<QCheckBox>(t.window.get(), u"chkAutoStart"_s)->isChecked());
}

void TestStartup::folderDialogRetriesUntilGame()
{
    GameFixture game;
    GameFixture::Options noExe;
    noExe.deusExExe = false;
    GameFixture notGame(noExe);
    QTemporaryDir empty;
    TestWindow t;
    t.ui.dialogAnswers = {empty.path(), QFileInfo(notGame.gamePath()).absolutePath(),
                          QDir::toNativeSeparators(QFileInfo(game.gamePath()).absolutePath())};

    t.window->Form_Load();
    const QStringList expected{QStringLiteral("folder"),     QStringLiteral("not a game"), QStringLiteral("folder"),
                               QStringLiteral("not a game"), QStringLiteral("folder"),     QStringLiteral("set up?")};
    QCOMPARE(shown(t.ui), expected);
    QCOMPARE(t.ui.asked[1].icon, Icon::None);
    QCOMPARE(t.ui.asked[1].buttons, ModalInteraction::Buttons::Ok);
    QCOMPARE(Control<QLineEdit>(t.window.get(), u"txtPath"_s)->text(), game.gamePath());

    // Later, from the browse button: a cancelled dialog changes nothing.
    t.ui.clear();
    QTest::mouseClick(Control<QPushButton>(t.window.get(), u"cmdBrowse3"_s), Qt::LeftButton);
    QCOMPARE(shown(t.ui), QStringList{QStringLiteral("folder")});
    QCOMPARE(Control<QLineEdit>(t.window.get(), u"txtPath"_s)->text(), game.gamePath());

    // Nor does one the system could not show, but the user is told why, once.
    t.ui.clear();
    const QString failure = QStringLiteral("The folder dialog could not be shown.\nClass not registered.");
    t.ui.dialogAnswers = {Failure{failure}, game.gamePath()};
    QTest::mouseClick(Control<QPushButton>(t.window.get(), u"cmdBrowse3"_s), Qt::LeftButton);
    QCOMPARE(shown(t.ui), (QStringList{QStringLiteral("folder"), failure}));
    QCOMPARE(t.ui.asked[1].icon, Icon::Exclamation);
    QCOMPARE(Control<QLineEdit>(t.window.get(), u"txtPath"_s)->text(), game.gamePath());
}

void TestStartup::folderInOtherLetterCase()
{
    QTemporaryDir tmp;
    writeFile(tmp.filePath(QStringLiteral("probe")), "x");
    if (QFileInfo::exists(tmp.filePath(QStringLiteral("PROBE"))))
        QSKIP("Letter case makes no difference on this file system.");
    const QByteArray settings = "[Engine.Engine]\r\ndefaultgame=deusex.deusexgameinfo\r\n";
    writeFile(tmp.filePath(QStringLiteral("Copied/SYSTEM/deusex.exe")), "MZ");
    writeFile(tmp.filePath(QStringLiteral("Copied/SYSTEM/deusex.ini")), settings);
    writeFile(tmp.filePath(QStringLiteral("Copied/SYSTEM/quenlar.u")), "package");
    writeFile(tmp.filePath(QStringLiteral("Copied/SYSTEM/quenlar.ini")), "bAutoStart=true");
    TestWindow t;
    t.ui.dialogAnswers = {tmp.filePath(QStringLiteral("Copied"))};
    t.ui.answers = {Answer::Yes};

    t.window->Form_Load();
    QCOMPARE(shown(t.ui), (QStringList{QStringLiteral("folder"), QStringLiteral("set up?")}));
    QCOMPARE(Control<QLineEdit>(t.window.get(), u"txtPath"_s)->text(),
             QDir::toNativeSeparators(tmp.filePath(QStringLiteral("Copied/"))));
    // The files on disk were read and rewritten, and no second spelling made.
    QFile ini(tmp.filePath(QStringLiteral("Copied/SYSTEM/deusex.ini")));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(), QByteArray("[Engine.Engine]\r\nDefaultGame=Quenlar.MLGameInfo\r\n"));
    QVERIFY(Control<QCheckBox>(t.window.get(), u"chkAutoStart"_s)->isChecked());
    QFile flag(tmp.filePath(QStringLiteral("Copied/SYSTEM/quenlar.ini")));
    QVERIFY(flag.open(QIODevice::ReadOnly));
    QCOMPARE(flag.readAll(), FlagOn);
    QCOMPARE(QDir(tmp.filePath(QStringLiteral("Copied"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("SYSTEM")});
}

void TestStartup::steamGameDetected()
{
#ifdef Q_OS_WIN
    QSKIP("Linux only: Steam libraries are looked for where Steam for Linux keeps them.");
#endif
    TestWindow t;
    const QString steam = t.home + QStringLiteral("/.local/share/Steam");
    writeFile(steam + QStringLiteral("/steamapps/appmanifest_6910.acf"),
              "\"AppState\"\n{\n\t\"appid\"\t\t\"6910\"\n\t\"installdir\"\t\t\"Deus Ex\"\n}\n");
    const QString dir = steam + QStringLiteral("/steamapps/common/Deus Ex");
    writeFile(dir + QStringLiteral("/System/DeusEx.exe"), "MZ");
    t.ui.answers = {Answer::Yes};

    t.window->Form_Load();
    QCOMPARE(shown(t.ui), QStringList{QStringLiteral("detected?")});
    const QString expected = QFileInfo(dir).canonicalFilePath() + QDir::separator();
    QCOMPARE(t.ui.asked[0].text, expected + DetectedSuffix);
    QCOMPARE(Control<QLineEdit>(t.window.get(), u"txtPath"_s)->text(), expected);

    // The Wine prefix's registry comes first.
    GameFixture game;
    TestWindow second;
    qputenv("HOME", QFile::encodeName(t.home));
    registerGame(second, game.gamePath());
    second.window->Form_Load();
    QCOMPARE(second.ui.asked[0].text, game.gamePath() + DetectedSuffix);
}

void TestStartup::loaderSetUp_data()
{
    QTest::addColumn<QByteArray>("settings"); // System/DeusEx.ini; "<missing>", "<folder>" or "<too large>"
    QTest::addColumn<bool>("package");        // System/Quenlar.u
    QTest::addColumn<QByteArray>("flag");     // System/Quenlar.ini; "<missing>" or "<folder>"
    QTest::addColumn<Answer>("answer");       // to the set-up question
    QTest::addColumn<QStringList>("expectedShown");
    QTest::addColumn<QByteArray>("settingsAfter"); // "" for unchanged
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QByteArray>("flagAfter"); // "" for unchanged

    const QByteArray game = "[Engine.Engine]\r\nDefaultGame=DeusEx.DeusExGameInfo\r\nGameRenderDevice=D3DDrv\r\n";
    const QByteArray switched = "[Engine.Engine]\r\nDefaultGame=Quenlar.MLGameInfo\r\nGameRenderDevice=D3DDrv\r\n";
    const QByteArray off = "[Quenlar.MLGameInfo]\r\nbAutoStart=False";
    const QStringList setUp{QStringLiteral("set up?")};
    const QStringList none;

    QTest::newRow("set up: Yes") << game << true << off << Answer::Yes << setUp << switched << false << QByteArray();
    QTest::newRow("set up: No") << game << true << off << Answer::No << setUp << QByteArray() << false << QByteArray();
    QTest::newRow("line in lower case, inside a longer one")
        << QByteArray("defaultgame=deusex.deusexgameinfoX\nDEFAULTGAME=DEUSEX.DEUSEXGAMEINFO") << true << off
        << Answer::Yes << setUp << QByteArray("DefaultGame=Quenlar.MLGameInfoX\nDefaultGame=Quenlar.MLGameInfo")
        << false << QByteArray();
    QTest::newRow("already switched") << switched << true << off << Answer::Yes << none << QByteArray() << false
                                      << QByteArray();
    QTest::newRow("no DeusEx.ini: silent end")
        << QByteArray("<missing>") << true << FlagOn << Answer::Yes << none << QByteArray() << false << QByteArray();
    QTest::newRow("no Quenlar.u: no question, no flag")
        << game << false << FlagOn << Answer::Yes << QStringList{QStringLiteral("no package")} << QByteArray() << false
        << QByteArray();
    QTest::newRow("flag on") << switched << true << FlagOn << Answer::Yes << none << QByteArray() << true << FlagOn;
    QTest::newRow("flag spaced, in capitals")
        << switched << true << QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart = TRUE\r\n") << Answer::Yes << none
        << QByteArray() << true << FlagOn;
    QTest::newRow("True in another line")
        << switched << true << QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart=False\r\nNote=true") << Answer::Yes
        << none << QByteArray() << true << FlagOn;
    QTest::newRow("flag off") << switched << true << off << Answer::Yes << none << QByteArray() << false
                              << QByteArray();
    QTest::newRow("no Quenlar.ini: off, silently")
        << switched << true << QByteArray("<missing>") << Answer::Yes << none << QByteArray() << false << QByteArray();
    QTest::newRow("a folder named DeusEx.ini is no settings file: silent end")
        << QByteArray("<folder>") << true << FlagOn << Answer::Yes << none << QByteArray() << false << QByteArray();
    QTest::newRow("DeusEx.ini unreadable: told, flag still read")
        << QByteArray("<too large>") << true << FlagOn << Answer::Yes
        << QStringList{QStringLiteral("settings unreadable")} << QByteArray() << true << FlagOn;
    QTest::newRow("Quenlar.ini unreadable: told, off")
        << game << true << QByteArray("<folder>") << Answer::No
        << QStringList{QStringLiteral("set up?"), QStringLiteral("flag unreadable")} << QByteArray() << false
        << QByteArray();
}

void TestStartup::loaderSetUp()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, package);
    QFETCH(QByteArray, flag);
    QFETCH(Answer, answer);
    QFETCH(QStringList, expectedShown);
    QFETCH(QByteArray, settingsAfter);
    QFETCH(bool, checked);
    QFETCH(QByteArray, flagAfter);

    GameFixture::Options options;
    options.deusExIni = settings != "<missing>";
    options.deusExIniText = settings;
    options.quenlarU = package;
    options.quenlarIni = flag != "<missing>";
    options.quenlarIniText = flag;
    if (settings == "<folder>")
        options.unreadable << QStringLiteral("System/DeusEx.ini");
    if (flag == "<folder>")
        options.unreadable << QStringLiteral("System/Quenlar.ini");
    GameFixture game(options);
    if (settings == "<too large>") {
        // Past what start-up reads of a settings file; sparse, so it costs no disk.
        QFile big(game.file(QStringLiteral("System/DeusEx.ini")));
        QVERIFY(big.resize(MaxIniBytes + 1));
    }
    TestWindow t;
    t.settings->setValue(QStringLiteral("DXPath"), game.gamePath());
    t.ui.answers = {answer};

    t.window->Form_Load();
    QCOMPARE(shown(t.ui), expectedShown);
    for (const auto& a : t.ui.asked) {
        const bool question = a.text == SetUpQuestion;
        QCOMPARE(a.icon, question ? Icon::Question : Icon::Exclamation);
        QCOMPARE(a.buttons, question ? ModalInteraction::Buttons::YesNo : ModalInteraction::Buttons::Ok);
        if (a.text.contains(QStringLiteral("could not be read")))
            QVERIFY(a.text.contains(game.gamePath()));
    }
    QCOMPARE(Control<QCheckBox>(t.window.get(), u"chkAutoStart"_s)->isChecked(), checked);

    if (options.deusExIni && !settings.startsWith('<')) {
        QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini")), settingsAfter.isEmpty() ? settings : settingsAfter);
        // The user's own settings are kept beside the switched ones.
        QCOMPARE(game.exists(QStringLiteral("System/DeusEx.ini.bak")), !settingsAfter.isEmpty());
        if (!settingsAfter.isEmpty())
            QCOMPARE(game.read(QStringLiteral("System/DeusEx.ini.bak")), settings);
    }
    if (options.quenlarIni && flag != "<folder>")
        QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), flagAfter.isEmpty() ? flag : flagAfter);
    else if (!options.quenlarIni)
        QVERIFY(!game.exists(QStringLiteral("System/Quenlar.ini")));
}

void TestStartup::unwritableFlagFile()
{
    GameFixture::Options options;
    options.quenlarIniText = "bAutoStart = True";
    GameFixture game(options);
    const QString flagFile = game.file(QStringLiteral("System/Quenlar.ini"));
    QFile::setPermissions(flagFile, QFileDevice::ReadOwner);
    TestWindow t;
    t.settings->setValue(QStringLiteral("DXPath"), game.gamePath());

    t.window->Form_Load();
    QCOMPARE(shown(t.ui), (QStringList{QStringLiteral("set up?"), QStringLiteral("flag unwritable")}));
    QVERIFY(t.ui.asked[1].text.contains(flagFile));
    QCOMPARE(t.ui.asked[1].icon, Icon::Exclamation);
    QVERIFY(Control<QCheckBox>(t.window.get(), u"chkAutoStart"_s)->isChecked());
    QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), QByteArray("bAutoStart = True"));
    QFile::setPermissions(flagFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestStartup::setUpOnAFullDisk_data()
{
    QTest::addColumn<bool>("smallDisk"); // else a file-size limit on the tests
    QTest::newRow("file-size limit") << false;
    QTest::newRow("small disk") << true;
}

void TestStartup::setUpOnAFullDisk()
{
    QFETCH(bool, smallDisk);
    std::optional<SmallDisk> disk;
    if (const QString whyNot = ReadyFullDisk(smallDisk, disk); !whyNot.isEmpty())
        QSKIP(qPrintable(whyNot));
    GameFixture::Options options;
    options.under = disk ? disk->path() : QString();
    GameFixture game(options);
    TestWindow t;
    t.settings->setValue(QStringLiteral("DXPath"), game.gamePath());
    t.settings->sync();
    t.ui.answers = {Answer::Yes};
    const QMap<QString, QByteArray> before = FolderSnapshot(game.gamePath());

    if (disk)
        QVERIFY(disk->fill(0));
    {
        std::optional<FileSizeLimit> limit;
        if (!disk)
            limit.emplace(0);
        t.window->Form_Load();
    }
    QCOMPARE(shown(t.ui), (QStringList{QStringLiteral("set up?"),
                                       QStringLiteral("The Orvane Mod Loader could not be set up.\nA copy of the "
                                                      "settings could not be kept as %1.\nThe disk is full.")
                                           .arg(game.file(QStringLiteral("System/DeusEx.ini.bak")))}));
    QCOMPARE(t.ui.asked[1].icon, Icon::Exclamation);
    const QMap<QString, QByteArray> after = FolderSnapshot(game.gamePath());
    QVERIFY2(after == before, qPrintable(SnapshotDifference(before, after)));
}

void TestStartup::settingsStoreOnlyAFile_data()
{
    QTest::addColumn<QString>("kind"); // what is in the store's place; empty for its file
    QTest::newRow("its file") << QString();
    QTest::newRow("a pipe") << QStringLiteral("pipe");
    QTest::newRow("a link to a pipe") << QStringLiteral("link to a pipe");
    QTest::newRow("a link to a device") << QStringLiteral("device");
    QTest::newRow("a folder") << QStringLiteral("folder");
}

void TestStartup::settingsStoreOnlyAFile()
{
#ifndef Q_OS_UNIX
    QSKIP("The settings store is the registry here.");
#endif
    QFETCH(QString, kind);
    QTemporaryDir config;
    const ScopedEnvironment configHome("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString file = config.filePath(QStringLiteral("ZarvikSoft/ModLoader.conf"));
    const QString remembered = QStringLiteral("/games/Deus Ex/");
    if (kind.isEmpty()) {
        // The store is where Qt has always kept it for the program.
        QSettings native(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ZarvikSoft"),
                         QStringLiteral("ModLoader"));
        QCOMPARE(native.fileName(), file);
        native.setValue(QStringLiteral("DXPath"), remembered);
    } else {
        MakeSpecialFile(file, kind);
        if (QTest::currentTestFailed())
            return;
    }
    const QMap<QString, QByteArray> before = FolderSnapshot(config.path());

    // Opened, read and written without waiting; in place of a file, as empty
    // and keeping nothing.
    const auto store = EndsWithin(
        [] {
            std::unique_ptr<QSettings> opened = openSettingsStore();
            opened->moveToThread(QCoreApplication::instance()->thread());
            return opened;
        },
        "opening the settings store");
    QCOMPARE(store->value(QStringLiteral("DXPath")).toString(), kind.isEmpty() ? remembered : QString());
    store->setValue(QStringLiteral("DXPath"), QStringLiteral("/other/"));
    EndsWithin(
        [&store] {
            store->sync();
            return true;
        },
        "writing the settings store");
    if (kind.isEmpty()) {
        QCOMPARE(QSettings(file, QSettings::IniFormat).value(QStringLiteral("DXPath")).toString(),
                 QStringLiteral("/other/"));
    } else {
        const QMap<QString, QByteArray> after = FolderSnapshot(config.path());
        QVERIFY2(after == before, qPrintable(SnapshotDifference(before, after)));
    }
}

void TestStartup::settingsStoreOnAFullDisk()
{
    if (!FileSizeLimit::available())
        QSKIP("No file-size limit here.");
    QTemporaryDir config;
    const ScopedEnvironment configHome("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString remembered = QStringLiteral("/games/Deus Ex/");
    {
        const std::unique_ptr<QSettings> store = openSettingsStore();
        store->setValue(QStringLiteral("DXPath"), remembered);
    }
    const QMap<QString, QByteArray> before = FolderSnapshot(config.path());
    QVERIFY(before.value(QStringLiteral("ZarvikSoft/ModLoader.conf")).contains("DXPath"));

    // The disk fills in the middle of the store's file: it stays as it was.
    {
        const std::unique_ptr<QSettings> store = openSettingsStore();
        // Room for the lock file QSettings makes first, not for the store.
        const FileSizeLimit limit(150);
        QVERIFY(limit.active());
        store->setValue(QStringLiteral("DXPath"),
                        QStringLiteral("/a/path/longer/than/the/room/left") + QString(300, u'x'));
        store->sync();
    }
    const QMap<QString, QByteArray> after = FolderSnapshot(config.path());
    QVERIFY2(after == before, qPrintable(SnapshotDifference(before, after)));
    QVERIFY(after.value(QStringLiteral("ZarvikSoft/ModLoader.conf")).contains(remembered.toUtf8()));
}

void TestStartup::emptyPathReadsWorkingDirectory()
{
    // With no game directory the flag file's name is relative, so it is
    // looked for below the working directory; nothing is written there.
    QTemporaryDir cwd;
    writeFile(cwd.filePath(QStringLiteral("System/Quenlar.ini")), "bAutoStart = True\r\nextra");
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(cwd.path()));
    TestWindow t;
    t.window->Form_Load();
    QDir::setCurrent(previous);

    QCOMPARE(shown(t.ui), QStringList{QStringLiteral("folder")});
    QVERIFY(Control<QCheckBox>(t.window.get(), u"chkAutoStart"_s)->isChecked());
    QFile f(cwd.filePath(QStringLiteral("System/Quenlar.ini")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("bAutoStart = True\r\nextra"));
}

void TestStartup::pathSettingFollowsField()
{
    GameFixture game;
    QString typed = game.gamePath();
    typed.chop(1);
    TestWindow t;
    frmMain& w = *t.window;
    t.ui.dialogAnswers.clear();
    w.Form_Load(); // nothing found, dialog cancelled
    w.activateWindow();
    auto* txtPath = Control<QLineEdit>(&w, u"txtPath"_s);
    auto* txtName = Control<QLineEdit>(&w, u"txtName"_s);
    txtPath->setFocus();
    QTRY_VERIFY(txtPath->hasFocus());

    QTest::keyClicks(txtPath, typed.left(3));
    QCOMPARE(t.settings->value(QStringLiteral("DXPath")).toString(), typed.left(3));
    QTest::keyClicks(txtPath, typed.mid(3));
    QCOMPARE(t.settings->value(QStringLiteral("DXPath")).toString(), typed);

    // Leaving the field gives it its separator, once.
    txtName->setFocus();
    QTRY_COMPARE(txtPath->text(), game.gamePath());
    QCOMPARE(t.settings->value(QStringLiteral("DXPath")).toString(), game.gamePath());
    txtPath->setFocus();
    QTRY_VERIFY(txtPath->hasFocus());
    txtName->setFocus();
    QTRY_VERIFY(txtName->hasFocus());
    QCoreApplication::processEvents();
    QCOMPARE(txtPath->text(), game.gamePath());

    // Clearing stores the empty text too.
    txtPath->clear();
    QCOMPARE(t.settings->value(QStringLiteral("DXPath")).toString(), QString());

    // The next start reads what the field held last.
    txtPath->setText(game.gamePath());
    w.close();
    t.ui.clear();
    frmMain next(t.ui, *t.settings);
    next.Form_Load();
    QCOMPARE(Control<QLineEdit>(&next, u"txtPath"_s)->text(), game.gamePath());
    QCOMPARE(shown(t.ui), QStringList{QStringLiteral("set up?")});
}

// The program's own settings store on Windows is the registry: a path
// remembered there (here written with Win32 calls) is read at start, and the
// field's changes are written back.
void TestStartup::pathSettingInTheRegistry()
{
#ifndef Q_OS_WIN
    QSKIP("Windows only: elsewhere the settings are a file.");
#else
    const wchar_t* const key = L"Software\\ZarvikSoft\\ModLoader";
    const wchar_t* const value = L"DXPath";
    const auto read = [&]() {
        wchar_t text[1024] = {};
        DWORD size = sizeof text;
        if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
            return QString();
        return QString::fromWCharArray(text);
    };
    const auto write = [&](const QString& text) {
        return RegSetKeyValueW(HKEY_CURRENT_USER, key, value, REG_SZ, wide(text),
                               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    };
    // A developer's own remembered path comes back afterwards.
    const QString before = read();
    struct Restore
    {
        std::function<void()> run;
        ~Restore() { run(); }
    } restore{[&]() {
        if (before.isEmpty())
            RegDeleteKeyValueW(HKEY_CURRENT_USER, key, value);
        else
            write(before);
    }};

    GameFixture game;
    GameFixture other;
    QCOMPARE(write(game.gamePath()), ERROR_SUCCESS);
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ZarvikSoft"),
                       QStringLiteral("ModLoader"));
    ScriptedModalInteraction ui;
    frmMain w(ui, settings);
    w.Form_Load();
    auto* txtPath = Control<QLineEdit>(&w, u"txtPath"_s);
    QCOMPARE(txtPath->text(), game.gamePath());
    QVERIFY(game.gamePath().contains(u'\\'));

    txtPath->setText(other.gamePath());
    settings.sync();
    QCOMPARE(read(), other.gamePath());
#endif
}

void TestStartup::autostartBoxWritesFlag()
{
    GameFixture::Options options;
    options.quenlarIni = false;
    GameFixture game(options);
    TestWindow t;
    frmMain& w = *t.window;
    w.show();
    auto* txtPath = Control<QLineEdit>(&w, u"txtPath"_s);
    auto* chkAutoStart = Control<QCheckBox>(&w, u"chkAutoStart"_s);

    // No directory: the box changes, nothing is written or said.
    QTest::mouseClick(chkAutoStart, Qt::LeftButton);
    QVERIFY(chkAutoStart->isChecked());
    QVERIFY(t.ui.asked.isEmpty());
    chkAutoStart->setChecked(false);

    txtPath->setText(game.gamePath());
    QTest::mouseClick(chkAutoStart, Qt::LeftButton);
    QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), FlagOn);
    chkAutoStart->setChecked(false);
    QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart=False"));

    // A directory without System: told which file failed, and the box shows
    // what the loader will do, which is nothing.
    QTemporaryDir bare;
    txtPath->setText(QDir::toNativeSeparators(bare.path()) + QDir::separator());
    QTest::mouseClick(chkAutoStart, Qt::LeftButton);
    QVERIFY(!chkAutoStart->isChecked());
    QCOMPARE(shown(t.ui), QStringList{QStringLiteral("flag unwritable")});
    QVERIFY(t.ui.asked[0].text.contains(QStringLiteral("Quenlar.ini")));
}

void TestStartup::refusedFlagWriteShowsTheFile_data()
{
    QTest::addColumn<QByteArray>("flag");    // the flag file, marked read-only; "<folder>" for an unreadable one
    QTest::addColumn<bool>("checkedBefore"); // the box before the click
    QTest::addColumn<bool>("checkedAfter");

    QTest::newRow("file off, box checked") << QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart=False") << false << false;
    QTest::newRow("file off, box cleared") << QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart=False") << true << false;
    QTest::newRow("file on, box cleared") << QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart=True") << true << true;
    // Changed by other means while the program runs: the click that would
    // agree with the file fails all the same, and the box shows the file.
    QTest::newRow("file on, box checked") << QByteArray("bAutoStart = True") << false << true;
    QTest::newRow("unreadable, box checked") << QByteArray("<folder>") << false << false;
    QTest::newRow("unreadable, box cleared") << QByteArray("<folder>") << true << true;
}

void TestStartup::refusedFlagWriteShowsTheFile()
{
    QFETCH(QByteArray, flag);
    QFETCH(bool, checkedBefore);
    QFETCH(bool, checkedAfter);
    GameFixture::Options options;
    if (flag == "<folder>")
        options.unreadable = {QStringLiteral("System/Quenlar.ini")};
    else
        options.quenlarIniText = flag;
    GameFixture game(options);
    const QString flagFile = game.file(QStringLiteral("System/Quenlar.ini"));
    TestWindow t;
    frmMain& w = *t.window;
    auto* chkAutoStart = Control<QCheckBox>(&w, u"chkAutoStart"_s);
    auto* txtPath = Control<QLineEdit>(&w, u"txtPath"_s);
    // With no game directory the box changes without a write.
    chkAutoStart->setChecked(checkedBefore);
    txtPath->setText(game.gamePath());
    w.show();
    if (flag != "<folder>")
        QFile::setPermissions(flagFile, QFileDevice::ReadOwner);

    // One refusal, told once: going back does not write again.
    QTest::mouseClick(chkAutoStart, Qt::LeftButton);
    QCOMPARE(chkAutoStart->isChecked(), checkedAfter);
    QCOMPARE(shown(t.ui), QStringList{QStringLiteral("flag unwritable")});
    // Named as a path, which the message box keeps whole on a line.
    QVERIFY(t.ui.asked[0].markedText.contains(pathInMessage(flagFile)));
    if (flag != "<folder>") {
        QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), flag);
        // Saving meets the same refusal and leaves the box as the file says.
        txtPath->clear();
        chkAutoStart->setChecked(!checkedAfter);
        txtPath->setText(game.gamePath());
        w.SaveMod(); // no answer scripted: the save dialog is cancelled
        QCOMPARE(chkAutoStart->isChecked(), checkedAfter);
        QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), flag);
        QFile::setPermissions(flagFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"

// The document without a window: New, Open and Save, the game directory as
// the settings remember it, the autostart flag and the loader's switch.

#include "document/ModDocument.h"
#include "files/Paths.h"
#include "files/TextFile.h"
#include "mod/ModFormat.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray GameSettings = "[Engine.Engine]\r\nDefaultGame=DeusEx.DeusExGameInfo\r\n";
const QByteArray FlagOff = "[Quenlar.MLGameInfo]\r\nbAutoStart=False";
const QByteArray FlagOn = "[Quenlar.MLGameInfo]\r\nbAutoStart=True";

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A document with settings of its own and a game directory in a temporary
// folder: System/DeusEx.exe, DeusEx.ini and the flag file, off.
struct Fixture
{
    Fixture()
    {
        writeFile(file(QStringLiteral("System/DeusEx.exe")), "MZ");
        writeFile(file(QStringLiteral("System/DeusEx.ini")), GameSettings);
        writeFile(file(QStringLiteral("System/Quenlar.ini")), FlagOff);
    }
    QString gamePath() const { return withTrailingSeparator(QDir::toNativeSeparators(game.path())); }
    QString file(const QString& relative) const { return QDir::toNativeSeparators(game.filePath(relative)); }
    QByteArray read(const QString& relative) const { return readFile(file(relative)); }
    // Puts a folder where the file was, which nobody can read or write as one.
    void makeFolder(const QString& relative) const
    {
        QFile::remove(file(relative));
        QVERIFY(QDir().mkpath(file(relative)));
    }

    QTemporaryDir game;
    QTemporaryDir settingsDir;
    QSettings settings{settingsDir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    ModDocument document{settings};
};

ModDefinition SampleMod()
{
    ModDefinition mod;
    mod.name = QStringLiteral("Test Mod");
    mod.action = true;
    mod.inventory = {QStringLiteral("DeusEx.MedKit(2)")};
    mod.credits = QStringLiteral("500");
    mod.skillLevels[3] = QStringLiteral("4");
    mod.augSlots[4] = QStringLiteral("AugHealing");
    mod.augLevels[4] = 2;
    mod.startingMap = QStringLiteral("ModMap.dx");
    return mod;
}

// Saves the sample mod as System/Kept.int and opens it, so that a refused
// command can be seen to leave the document as it was; its full name.
QString OpenKeptSample(Fixture& f)
{
    const QString kept = f.file(QStringLiteral("System/Kept.int"));
    writeFile(kept, composeModFile(SampleMod()).toLatin1());
    if (!f.document.open(kept).ok())
        qFatal("the sample mod did not open");
    return kept;
}

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT
private slots:
    void newModStartsAfresh_data();
    void newModStartsAfresh();
    void openShowsTheFile();
    void openRefusesLeavesAll_data();
    void openRefusesLeavesAll();
    void saveWritesAndTakesTheFile_data();
    void saveWritesAndTakesTheFile();
    void saveRefuses_data();
    void saveRefuses();
    void gamePathRemembered();
    void restoredPathNotRewritten_data();
    void restoredPathNotRewritten();
    void chosenFolderMustHoldTheGame();
    void autostartWritesTheFlag();
    void autostartReadAtStart_data();
    void autostartReadAtStart();
    void refusedFlagTakesTheFilesState_data();
    void refusedFlagTakesTheFilesState();
    void loaderSwitch();
};

void TestDocument::newModStartsAfresh_data()
{
    QTest::addColumn<bool>("autostartBefore");
    QTest::newRow("autostart on") << true;
    QTest::newRow("autostart off") << false;
}

void TestDocument::newModStartsAfresh()
{
    QFETCH(bool, autostartBefore);
    Fixture f;
    ModDocument& d = f.document;
    d.setGamePath(f.gamePath());
    d.setMod(SampleMod());
    QVERIFY(d.save(f.file(QStringLiteral("System/Sample.int"))).ok());
    QVERIFY(d.setAutostart(autostartBefore).ok());
    // A flag file that New must leave alone when autostart was off already.
    writeFile(f.file(QStringLiteral("System/Quenlar.ini")), "untouched");
    QSignalSpy replaced(&d, &ModDocument::modReplaced);
    QSignalSpy named(&d, &ModDocument::fileNameChanged);

    QVERIFY(d.newMod().ok());
    QCOMPARE(composeModFile(d.mod()), composeModFile(ModDefinition()));
    QCOMPARE(d.fileName(), QString());
    QVERIFY(d.needsFileName());
    QVERIFY(!d.autostart());
    QCOMPARE(replaced.size(), 1);
    QCOMPARE(named.size(), 1);
    QCOMPARE(f.read(QStringLiteral("System/Quenlar.ini")), autostartBefore ? FlagOff : QByteArray("untouched"));
    QCOMPARE(d.gamePath(), f.gamePath());
}

void TestDocument::openShowsTheFile()
{
    Fixture f;
    ModDocument& d = f.document;
    const QString path = f.file(QStringLiteral("System/Sample.int"));
    writeFile(path, composeModFile(SampleMod()).toLatin1());
    QSignalSpy named(&d, &ModDocument::fileNameChanged);

    const Result<QStringList> opened = d.open(QDir::fromNativeSeparators(path));
    QVERIFY(opened.ok());
    QCOMPARE(opened.value(), QStringList());
    QCOMPARE(composeModFile(d.mod()), composeModFile(SampleMod()));
    // Named as the system writes it, whatever separators it was given with.
    QCOMPARE(d.fileName(), path);
    QCOMPARE(named.size(), 1);
    QVERIFY(!d.needsFileName());

    // What the user must learn of a file that opens comes with it.
    writeFile(path, "[Public]\r\nObject=(Name=\"A\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\""
                    "Aug=DeusEx.AugDrone(1);DeusEx.AugNothing(2);;\")");
    const Result<QStringList> noted = d.open(path);
    QVERIFY(noted.ok());
    QCOMPARE(noted.value().size(), 1);
    QVERIFY(noted.value()[0].contains(QStringLiteral("AugNothing(2)")));
    QCOMPARE(d.mod().augSlots[0], QStringLiteral("AugDrone"));
}

void TestDocument::openRefusesLeavesAll_data()
{
    QTest::addColumn<QByteArray>("contents"); // "<folder>" or "<missing>" for no file
    QTest::addColumn<QString>("message");     // how the message starts after the path
    const QString notAMod = QStringLiteral(" is not a mod definition file.\n");
    const QString cannotOpen = QStringLiteral(" could not be opened.\n");
    QTest::newRow("empty") << QByteArray() << notAMod + QStringLiteral("It is empty.");
    QTest::newRow("no Object line") << QByteArray("[Public]\r\nName=x")
                                    << notAMod + QStringLiteral("It has no Object=");
    QTest::newRow("too large") << QByteArray(1024 * 1024 + 1, 'M') << notAMod + QStringLiteral("It is larger");
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE[\0P\0", 6) << cannotOpen + QStringLiteral("It is saved in UTF-16");
    QTest::newRow("folder") << QByteArray("<folder>") << cannotOpen;
    QTest::newRow("missing") << QByteArray("<missing>") << cannotOpen;
}

void TestDocument::openRefusesLeavesAll()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);
    Fixture f;
    ModDocument& d = f.document;
    const QString kept = OpenKeptSample(f);
    const QString path = f.file(QStringLiteral("System/Odd.int"));
    if (contents == "<folder>")
        f.makeFolder(QStringLiteral("System/Odd.int"));
    else if (contents != "<missing>")
        writeFile(path, contents);
    QSignalSpy changed(&d, &ModDocument::modChanged);
    QSignalSpy named(&d, &ModDocument::fileNameChanged);

    const Result<QStringList> opened = d.open(path);
    QVERIFY(!opened.ok());
    QVERIFY2(opened.error().startsWith(pathInMessage(path) + message), qPrintable(opened.error()));
    QCOMPARE(composeModFile(d.mod()), composeModFile(SampleMod()));
    QCOMPARE(d.fileName(), kept);
    QCOMPARE(changed.size(), 0);
    QCOMPARE(named.size(), 0);
}

void TestDocument::saveWritesAndTakesTheFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("asksNextTime"); // only a name ending in ".int" exactly is written back to
    QTest::newRow("new file") << "System/New.int" << false;
    QTest::newRow("capital ending") << "System/Caps.INT" << true;
    QTest::newRow("other ending") << "System/Mod.int.txt" << true;
    QTest::newRow("existing file") << "System/DeusEx.ini" << true;
}

void TestDocument::saveWritesAndTakesTheFile()
{
    QFETCH(QString, name);
    QFETCH(bool, asksNextTime);
    Fixture f;
    ModDocument& d = f.document;
    d.setGamePath(f.gamePath());
    d.setMod(SampleMod());
    QVERIFY(d.needsFileName());
    QSignalSpy named(&d, &ModDocument::fileNameChanged);

    QVERIFY(d.save(QDir::fromNativeSeparators(f.file(name))).ok());
    QCOMPARE(f.read(name), composeModFile(SampleMod()).toLatin1());
    QCOMPARE(d.fileName(), f.file(name));
    QCOMPARE(named.size(), 1);
    QCOMPARE(d.needsFileName(), asksNextTime);
    // Saving alone leaves the flag to the caller.
    QCOMPARE(f.read(QStringLiteral("System/Quenlar.ini")), FlagOff);
}

void TestDocument::saveRefuses_data()
{
    QTest::addColumn<QString>("refusal"); // "no game directory", "unsavable value" or "unwritable"
    QTest::addColumn<QString>("message"); // how the message starts
    QTest::newRow("no game directory") << "no game directory"
                                       << "You must specify the Deus Ex path in the Deus Ex Path field";
    QTest::newRow("unsavable value") << "unsavable value"
                                     << "The mod can't be saved: ";
    QTest::newRow("unwritable") << "unwritable"
                                << "The mod could not be saved to ";
}

void TestDocument::saveRefuses()
{
    QFETCH(QString, refusal);
    QFETCH(QString, message);
    Fixture f;
    ModDocument& d = f.document;
    const QString kept = OpenKeptSample(f);
    if (refusal != QLatin1String("no game directory"))
        d.setGamePath(f.gamePath());
    if (refusal == QLatin1String("unsavable value"))
        d.editMod([](ModDefinition& mod) { mod.name = QStringLiteral("Two\nLines"); });
    QString target = f.file(QStringLiteral("System/Target.int"));
    if (refusal == QLatin1String("unwritable"))
        target = f.file(QStringLiteral("Missing/Target.int"));

    QCOMPARE(d.checkSavable().ok(), refusal == QLatin1String("unwritable"));
    const Result<> saved = d.save(target);
    QVERIFY(!saved.ok());
    QVERIFY2(saved.error().startsWith(message), qPrintable(saved.error()));
    QCOMPARE(readFile(target), QByteArray("<missing>"));
    QCOMPARE(d.fileName(), kept);
}

void TestDocument::gamePathRemembered()
{
    Fixture f;
    ModDocument& d = f.document;
    QSignalSpy changed(&d, &ModDocument::gamePathChanged);
    const QString key = QStringLiteral("DXPath");

    // Every change is remembered at once, an emptied path too; a path set
    // again unchanged is no change.
    d.setGamePath(QStringLiteral("C:"));
    QCOMPARE(f.settings.value(key).toString(), QStringLiteral("C:"));
    d.setGamePath(f.gamePath());
    d.setGamePath(f.gamePath());
    QCOMPARE(f.settings.value(key).toString(), f.gamePath());
    d.setGamePath(QString());
    QVERIFY(f.settings.contains(key));
    QCOMPARE(f.settings.value(key).toString(), QString());
    QCOMPARE(changed.size(), 3);
    QCOMPARE(changed.last().at(0).toString(), QString());

    // The next start takes the last one back.
    d.setGamePath(f.gamePath());
    ModDocument next(f.settings);
    next.restoreGamePath();
    QCOMPARE(next.gamePath(), f.gamePath());
}

void TestDocument::restoredPathNotRewritten_data()
{
    QTest::addColumn<QByteArray>("stored"); // the settings file, as another program left it
    QTest::addColumn<QString>("restored");  // the path taken back; "@" is the game directory
    QTest::addColumn<bool>("rewritten");
    QTest::newRow("with its separator") << QByteArray("[General]\r\nDXPath = @\r\n") << "@" << false;
    // Saved while the field had the focus: the separator is added and stored.
    QTest::newRow("without its separator") << QByteArray("[General]\r\nDXPath = @-\r\n") << "@" << true;
    QTest::newRow("none") << QByteArray("[General]\r\nOther = 1\r\n") << "" << false;
}

void TestDocument::restoredPathNotRewritten()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, restored);
    QFETCH(bool, rewritten);
    Fixture f;
    QString gamePath = f.gamePath();
    // As the program stores it: in the system's separators, each backslash
    // doubled as an INI file escapes it.
    const auto asStored = [](const QString& path) {
        return QDir::toNativeSeparators(path).replace(u'\\', QStringLiteral("\\\\")).toUtf8();
    };
    QByteArray contents = stored;
    contents.replace("@-", asStored(gamePath.chopped(1)));
    contents.replace("@", asStored(gamePath));
    restored.replace(u'@', gamePath);
    const QString file = f.settingsDir.filePath(QStringLiteral("remembered.ini"));
    writeFile(file, contents);
    {
        QSettings settings(file, QSettings::IniFormat);
        ModDocument d(settings);
        QSignalSpy changed(&d, &ModDocument::gamePathChanged);
        d.restoreGamePath();
        QCOMPARE(QDir::fromNativeSeparators(d.gamePath()), QDir::fromNativeSeparators(restored));
        QCOMPARE(changed.size(), restored.isEmpty() ? 0 : 1);
    }
    // A settings file written back would lose its spaces round the "=".
    QCOMPARE(readFile(file) != contents, rewritten);
}

void TestDocument::chosenFolderMustHoldTheGame()
{
    Fixture f;
    ModDocument& d = f.document;
    QTemporaryDir other;
    const Result<> refused = d.chooseGamePath(other.path());
    QVERIFY(!refused.ok());
    QCOMPARE(refused.error(), QStringLiteral("Essential Deus Ex files were not found in this directory."));
    QCOMPARE(d.gamePath(), QString());

    // Taken with its final separator.
    QVERIFY(d.chooseGamePath(f.gamePath().chopped(1)).ok());
    QCOMPARE(d.gamePath(), f.gamePath());
    QCOMPARE(f.settings.value(QStringLiteral("DXPath")).toString(), f.gamePath());
}

void TestDocument::autostartWritesTheFlag()
{
    Fixture f;
    ModDocument& d = f.document;
    QSignalSpy changed(&d, &ModDocument::autostartChanged);

    // No game directory: the state changes, nothing is written.
    QVERIFY(d.setAutostart(true).ok());
    QVERIFY(d.autostart());
    QCOMPARE(f.read(QStringLiteral("System/Quenlar.ini")), FlagOff);
    QVERIFY(d.setAutostart(false).ok());

    d.setGamePath(f.gamePath());
    QVERIFY(d.setAutostart(true).ok());
    QCOMPARE(f.read(QStringLiteral("System/Quenlar.ini")), FlagOn);
    // Unchanged: not written again.
    writeFile(f.file(QStringLiteral("System/Quenlar.ini")), "kept");
    QVERIFY(d.setAutostart(true).ok());
    QCOMPARE(f.read(QStringLiteral("System/Quenlar.ini")), QByteArray("kept"));
    // Save writes the state as it is, spaced.
    QVERIFY(d.writeAutostartFlag(FlagForm::Spaced).ok());
    QCOMPARE(f.read(QStringLiteral("System/Quenlar.ini")), QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart = True"));
    QCOMPARE(changed.size(), 3);
}

void TestDocument::autostartReadAtStart_data()
{
    QTest::addColumn<QByteArray>("flag"); // "<folder>" for an unreadable one, "<missing>" for none
    QTest::addColumn<bool>("on");
    QTest::addColumn<QByteArray>("flagAfter");
    QTest::addColumn<QString>("message");
    QTest::newRow("off") << FlagOff << false << FlagOff << "";
    // Taken on as a click takes it: written back unspaced.
    QTest::newRow("on, spaced") << QByteArray("bAutoStart = TRUE\r\nextra") << true << FlagOn << "";
    QTest::newRow("missing") << QByteArray("<missing>") << false << QByteArray("<missing>") << "";
    QTest::newRow("unreadable") << QByteArray("<folder>") << false << QByteArray("<missing>")
                                << "could not be read, so autostart is taken as off.\n";
}

void TestDocument::autostartReadAtStart()
{
    QFETCH(QByteArray, flag);
    QFETCH(bool, on);
    QFETCH(QByteArray, flagAfter);
    QFETCH(QString, message);
    Fixture f;
    ModDocument& d = f.document;
    d.setGamePath(f.gamePath());
    const QString flagFile = f.file(QStringLiteral("System/Quenlar.ini"));
    QFile::remove(flagFile);
    if (flag == "<folder>")
        f.makeFolder(QStringLiteral("System/Quenlar.ini"));
    else if (flag != "<missing>")
        writeFile(flagFile, flag);

    const Result<> read = d.readAutostartFlag();
    QCOMPARE(read.ok(), message.isEmpty());
    QCOMPARE(d.autostart(), on);
    if (!message.isEmpty())
        QVERIFY2(read.error().startsWith(pathInMessage(flagFile) + u' ' + message), qPrintable(read.error()));
    QCOMPARE(readFile(flagFile), flagAfter);
}

void TestDocument::refusedFlagTakesTheFilesState_data()
{
    QTest::addColumn<QString>("fault"); // "no System" or "folder"
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");
    // Where the file cannot be read either, the state stays what it was.
    QTest::newRow("folder, turned on") << "folder" << false << false;
    QTest::newRow("folder, turned off") << "folder" << true << true;
    // A missing file reads as off.
    QTest::newRow("no System, turned on") << "no System" << false << false;
    QTest::newRow("no System, turned off") << "no System" << true << false;
}

void TestDocument::refusedFlagTakesTheFilesState()
{
    QFETCH(QString, fault);
    QFETCH(bool, before);
    QFETCH(bool, after);
    Fixture f;
    ModDocument& d = f.document;
    QVERIFY(d.setAutostart(before).ok()); // no game directory yet: nothing written
    QTemporaryDir bare;
    QString gamePath = f.gamePath();
    if (fault == QLatin1String("folder"))
        f.makeFolder(QStringLiteral("System/Quenlar.ini"));
    else
        gamePath = withTrailingSeparator(QDir::toNativeSeparators(bare.path()));
    d.setGamePath(gamePath);
    QSignalSpy changed(&d, &ModDocument::autostartChanged);

    const Result<> switched = d.setAutostart(!before);
    QVERIFY(!switched.ok());
    QVERIFY2(switched.error().startsWith(QStringLiteral("The autostart setting could not be written to %1.\n")
                                             .arg(pathInMessage(autostartFlagFile(gamePath)))),
             qPrintable(switched.error()));
    QCOMPARE(d.autostart(), after);
    QCOMPARE(changed.last().at(0).toBool(), after);

    // Save meets the same refusal and leaves the state as the file says.
    QVERIFY(!d.writeAutostartFlag(FlagForm::Spaced).ok());
    QCOMPARE(d.autostart(), after);
}

void TestDocument::loaderSwitch()
{
    Fixture f;
    ModDocument& d = f.document;
    d.setGamePath(f.gamePath());
    QVERIFY(d.loaderPackageFound() == false);
    writeFile(f.file(QStringLiteral("System/Quenlar.u")), "package");
    QVERIFY(d.loaderPackageFound());

    const Result<std::optional<QByteArray>> settings = d.readGameSettings();
    QVERIFY(settings.ok());
    QVERIFY(settings.value().has_value());
    QCOMPARE(*settings.value(), GameSettings);
    QVERIFY(ModDocument::loaderNeedsSwitch(*settings.value()));
    QVERIFY(d.switchToLoader(*settings.value()).ok());
    QCOMPARE(f.read(QStringLiteral("System/DeusEx.ini")),
             QByteArray("[Engine.Engine]\r\nDefaultGame=Quenlar.MLGameInfo\r\n"));
    QCOMPARE(f.read(QStringLiteral("System/DeusEx.ini.bak")), GameSettings);
    QVERIFY(!ModDocument::loaderNeedsSwitch(f.read(QStringLiteral("System/DeusEx.ini"))));

    // A switch that cannot write says so.
    f.makeFolder(QStringLiteral("System/DeusEx.ini"));
    const Result<> refused = d.switchToLoader(GameSettings);
    QVERIFY(!refused.ok());
    QVERIFY2(refused.error().startsWith(QStringLiteral("The Orvane Mod Loader could not be set up.\n")),
             qPrintable(refused.error()));
    // A folder in their place is no settings file: there are none, as where
    // they are missing.
    const Result<std::optional<QByteArray>> folder = d.readGameSettings();
    QVERIFY(folder.ok());
    QVERIFY(!folder.value().has_value());
    // Settings too large to be any are told with their path.
    QDir(f.file(QStringLiteral("System/DeusEx.ini"))).removeRecursively();
    QFile large(f.file(QStringLiteral("System/DeusEx.ini")));
    QVERIFY(large.open(QIODevice::WriteOnly));
    QVERIFY(large.resize(MaxIniBytes + 1));
    large.close();
    const Result<std::optional<QByteArray>> unreadable = d.readGameSettings();
    QVERIFY(!unreadable.ok());
    QVERIFY2(unreadable.error().startsWith(pathInMessage(f.file(QStringLiteral("System/DeusEx.ini"))) +
                                           QStringLiteral(" could not be read.\n")),
             qPrintable(unreadable.error()));
}

QTEST_GUILESS_MAIN(TestDocument)
#include "test_document.moc"

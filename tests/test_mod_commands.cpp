// New, Open and Save through the window: whatever is saved opens again as it
// was, what the game would read otherwise is refused at Save and told at
// Open, and New starts afresh.

#include "support/Controls.h"
#include "support/GameFixture.h"
#include "support/ModRoundTrip.h"
#include "support/SampleMods.h"
#include "support/SpecialFiles.h"
#include "support/TestWindow.h"

#include "app/frmMain.h"
#include "augmentations/AugmentationsPage.h"
#include "document/ModDocument.h"
#include "mod/ModFormat.h"
#include "mod/ModReader.h"
#include "skills/LevelSpinner.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <chrono>
#include <future>
#include <thread>
#include <utility>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>

#endif

using namespace Qt::StringLiterals;

using Kind = ScriptedModalInteraction::Asked::Kind;

Q_DECLARE_METATYPE(ModDefinition)

namespace {

const QString Title = QStringLiteral("Zarvik's ML Utility");

void compareMods(const ModDefinition& actual, const ModDefinition& expected)
{
    QCOMPARE(actual.name, expected.name);
    QCOMPARE(actual.action, expected.action);
    QCOMPARE(actual.inventory, expected.inventory);
    QCOMPARE(actual.playerClass, expected.playerClass);
    QCOMPARE(actual.credits, expected.credits);
    QCOMPARE(actual.skillPoints, expected.skillPoints);
    QCOMPARE(actual.skillLevels, expected.skillLevels);
    QCOMPARE(actual.augSlots, expected.augSlots);
    QCOMPARE(actual.augLevels, expected.augLevels);
    QCOMPARE(actual.splashMap, expected.splashMap);
    QCOMPARE(actual.startingMap, expected.startingMap);
}

} // namespace

class TestModCommands : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void gameReadsAsTyped_data();
    void gameReadsAsTyped();
    void openReplacesWhatWasShown();
    void openDialogAndCaption();
    void openRefusesFiles_data();
    void openRefusesFiles();
    void openReportsUnplacedAugmentations();
    void newAfterOpen();
    void newRewritesFlagOnlyWhenChecked();
};

void TestModCommands::roundTrip_data()
{
    QTest::addColumn<ModDefinition>("mod");
    QTest::newRow("worked example") << WorkedExampleSample();
    QTest::newRow("new mod") << NewModSample();

    ModDefinition full = NewModSample();
    for (int i = 0; i < 10; ++i)
        full.inventory.append(i % 2 ? QStringLiteral("Item%1(%2)").arg(i).arg(i + 2) : QStringLiteral("Item%1").arg(i));
    QTest::newRow("ten inventory rows with counts") << full;

    // Names an older catalogue offered open and save back as they are written.
    ModDefinition oldNames = NewModSample();
    oldNames.inventory = {QStringLiteral("AugmentationCanister(2)"), QStringLiteral("WeaponAssultGun"),
                          QStringLiteral("WeaponAssultShotGun"),     QStringLiteral("WeaponPepper"),
                          QStringLiteral("WeaponVirusGrenade(3)"),   QStringLiteral("AugmentationUpgradeCanister")};
    QTest::newRow("class names of an older catalogue") << oldNames;

    ModDefinition torso = NewModSample();
    torso.augSlots[4] = torso.augSlots[6] = QStringLiteral("AugShield");
    torso.augLevels[4] = 2;
    torso.augLevels[6] = 3;
    torso.augSlots[5] = QStringLiteral("AugPower");
    QTest::newRow("same class in two torso slots") << torso;

    ModDefinition maps = WorkedExampleSample();
    maps.startingMap.clear();
    maps.splashMap = QStringLiteral("DX.dx");
    maps.action = false;
    QTest::newRow("empty map, placeholder splash, no action") << maps;

    // Key texts that Open finds only after their own items, and that the
    // game does not take for its own keys: the file opens as it was saved,
    // so it saves back unchanged.
    ModDefinition keys = WorkedExampleSample();
    keys.name = QStringLiteral("FirstClass=Best");
    keys.startingMap = QStringLiteral("Skills=x.dx");
    keys.splashMap = QStringLiteral("Class=s.dx");
    QTest::newRow("key texts behind their items") << keys;
}

void TestModCommands::roundTrip()
{
    QFETCH(ModDefinition, mod);
    GameFixture game;
    TestWindow t(game);
    frmMain& w = *t.window;
    w.document().setMod(mod);
    const QString file = game.file(QStringLiteral("System/Round.int"));
    t.ui.dialogAnswers = {file, file};
    w.SaveMod();
    w.NewMod();
    w.OpenMod();
    QVERIFY(t.ui.messages().isEmpty());
    compareMods(w.document().mod(), AsSaved(mod));
    QCOMPARE(w.windowTitle(), Title + QStringLiteral(" - ") + file);
    QVERIFY(Control<QWidget>(&w, "shpSelectPart", 0)->isVisibleTo(Control<QWidget>(&w, u"frmAugmentations"_s)));
}

void TestModCommands::gameReadsAsTyped_data()
{
    // A value put into the worked example: the field Save's refusal names
    // (empty when the mod must be saved), and whether opening a file that
    // holds it, as an older tool wrote it, tells what the game will do.
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("named");
    QTest::addColumn<bool>("openTells");

    QTest::newRow("class key in the name") << "name"
                                           << "First Class=Best"
                                           << "Mod Name" << true;
    QTest::newRow("meta-class key in the name") << "name"
                                                << "x metaclass=y"
                                                << "Mod Name" << true;
    QTest::newRow("description key in the name") << "name"
                                                 << "(DESCRIPTION=z)"
                                                 << "Mod Name" << true;
    // Kept out of the loader's list matters more than a lost setting.
    QTest::newRow("class key in the name and a quote in the splash map") << "name and splash"
                                                                         << "Spl\")ash.dx"
                                                                         << "Mod Name" << true;
    const std::pair<const char*, const char*> descriptionValues[] = {{"inventory", "Current Inventory"},
                                                                     {"class", "PlayerClass"},
                                                                     {"splash", "Splash Map"},
                                                                     {"map", "Starting Map"}};
    for (const auto& [field, named] : descriptionValues) {
        QTest::addRow("quote in the %s", field) << field << "Spl\"ash" << named << true;
        // Open stops the starting map at the closing quote too, and shows
        // what the game will read.
        QTest::addRow("closing quote in the %s", field)
            << field << u"Spl\")ash"_s << named << (QLatin1String(field) != u"map"_s);
    }
    const ModDefinition example = WorkedExampleSample();
    const qsizetype others = composeDescription(example).size() - example.startingMap.size();
    QTest::newRow("settings of 4096 characters")
        << "map" << QString(GameValueLength + 1 - others, u'm') << "Starting Map" << true;

    QTest::newRow("settings of 4095 characters") << "map" << QString(GameValueLength - others, u'm') << "" << false;
    QTest::newRow("class key after a letter") << "name"
                                              << "FirstClass=Best"
                                              << "" << false;
    QTest::newRow("meta-class as a word") << "name"
                                          << "MetaClassic"
                                          << "" << false;
    QTest::newRow("name key in the name") << "name"
                                          << "My Name=Best"
                                          << "" << false;
}

void TestModCommands::gameReadsAsTyped()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, named);
    QFETCH(bool, openTells);
    ModDefinition mod = WorkedExampleSample();
    if (field == QLatin1String("name")) {
        mod.name = value;
    } else if (field == QLatin1String("inventory")) {
        mod.inventory.append(value);
    } else if (field == QLatin1String("class")) {
        mod.playerClass = value;
    } else if (field == QLatin1String("splash")) {
        mod.splashMap = value;
    } else if (field == QLatin1String("map")) {
        mod.startingMap = value;
    } else {
        mod.name = QStringLiteral("First Class=Best");
        mod.splashMap = value;
    }

    GameFixture game;
    TestWindow t(game);
    frmMain& w = *t.window;
    w.document().setMod(mod);
    const QString typed = game.file(QStringLiteral("System/Typed.int"));
    t.ui.dialogAnswers = {typed};
    w.SaveMod();
    if (named.isEmpty()) {
        QVERIFY2(t.ui.messages().isEmpty(), qPrintable(t.ui.messages().join(u'\n')));
        QCOMPARE(game.read(QStringLiteral("System/Typed.int")), composeModFile(mod).toLatin1());
    } else {
        QCOMPARE(t.ui.messages().size(), 1);
        const QString message = t.ui.messages().first();
        QVERIFY2(message.startsWith(QStringLiteral("The mod can't be saved: ")), qPrintable(message));
        QVERIFY2(message.contains(named) && message.contains(QLatin1String("the game")), qPrintable(message));
        QCOMPARE(t.ui.asked.last().icon, ModalInteraction::Icon::Exclamation);
        // Refused before anything is written or asked.
        QVERIFY(t.ui.ofKind(Kind::SaveFile).isEmpty());
        QVERIFY(!QFile::exists(typed));
        QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")),
                 QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart=False"));
    }

    // The same values in a file written by hand or by an older tool.
    const QByteArray held = composeModFile(mod).toLatin1();
    game.write(QStringLiteral("System/Held.int"), held);
    t.ui.clear();
    t.ui.dialogAnswers = {game.file(QStringLiteral("System/Held.int"))};
    w.NewMod();
    w.OpenMod();
    // The pages show the file as Open reads it, whatever the game makes of it.
    compareMods(w.document().mod(), readModFile(held).mod);
    if (!openTells) {
        QVERIFY2(t.ui.messages().isEmpty(), qPrintable(t.ui.messages().join(u'\n')));
        return;
    }
    QCOMPARE(t.ui.messages().size(), 1);
    const QString told = t.ui.messages().first();
    QVERIFY2(told.startsWith(QLatin1String("The ")) && told.contains(QLatin1String("game")), qPrintable(told));
    QVERIFY2(told.contains(named), qPrintable(told));
    QCOMPARE(t.ui.asked.last().icon, ModalInteraction::Icon::Exclamation);
}

void TestModCommands::openReplacesWhatWasShown()
{
    GameFixture game;
    game.write(QStringLiteral("System/Bare.int"),
               "[Public]\r\nObject=(Name=\"Bare\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\"Map=B.dx\")");
    TestWindow t(game);
    frmMain& w = *t.window;
    w.document().setMod(WorkedExampleSample());
    auto* chkAutoStart = Control<QCheckBox>(&w, u"chkAutoStart"_s);
    auto* txtCustom = Control<QLineEdit>(&w, u"txtCustom"_s);
    chkAutoStart->setChecked(true);
    txtCustom->setText(QStringLiteral("Typed"));
    t.ui.dialogAnswers = {game.file(QStringLiteral("System/Bare.int"))};
    w.OpenMod();

    ModDefinition expected = NewModSample();
    expected.name = QStringLiteral("Bare");
    expected.startingMap = QStringLiteral("B.dx");
    compareMods(w.document().mod(), expected);
    // The game directory, the autostart box and the typed item stay.
    QCOMPARE(Control<QLineEdit>(&w, u"txtPath"_s)->text(), game.gamePath());
    QVERIFY(chkAutoStart->isChecked());
    QCOMPARE(txtCustom->text(), QStringLiteral("Typed"));
}

void TestModCommands::openDialogAndCaption()
{
    GameFixture game;
    game.write(QStringLiteral("System/Caps.INT"), composeModFile(WorkedExampleSample()).toLatin1());
    TestWindow t(game);
    frmMain& w = *t.window;
    t.ui.dialogAnswers = {game.file(QStringLiteral("System/Caps.INT"))};
    w.OpenMod();
    const auto asked = t.ui.ofKind(Kind::OpenFile);
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0].initialDir, game.file(QStringLiteral("System/")));
    QCOMPARE(asked[0].title, QStringLiteral("Open"));
    QCOMPARE(asked[0].filters, QStringList{QStringLiteral("Orvane Mod files (*.int)")});
    auto* txtName = Control<QLineEdit>(&w, u"txtName"_s);
    QCOMPARE(txtName->text(), QStringLiteral("Test Mod"));

    // The caption does not end in ".int", so Save asks for a file.
    w.SaveMod();
    QCOMPARE(t.ui.ofKind(Kind::SaveFile).size(), 1);

    // A cancelled dialog changes nothing.
    txtName->setText(QStringLiteral("Edited"));
    w.OpenMod();
    QCOMPARE(txtName->text(), QStringLiteral("Edited"));
}

void TestModCommands::openRefusesFiles_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("kind");   // what stands under the name instead of a file with the contents
    QTest::addColumn<QString>("reason"); // part of the message
    const QByteArray newMod = composeModFile(NewModSample()).toLatin1();
    QTest::newRow("empty") << QByteArray() << ""
                           << "It is empty.";
    QTest::newRow("not a mod") << QByteArray("[Engine.Engine]\r\nGameRenderDevice=D3DDrv.D3DRenderDevice") << ""
                               << "Object=";
    QTest::newRow("too large") << QByteArray(1024 * 1024 + 1, 'M') << ""
                               << "larger than a mod definition";
    QTest::newRow("the game's own localisation file")
        << QByteArray("[Public]\r\nObject=(Name=DeusEx.DeusExGameInfo,Class=Class,MetaClass=Engine.GameInfo)\r\n"
                      "Preferences=(Caption=\"Deus Ex\",Parent=\"Game\",Class=DeusEx.DeusExGameInfo)\r\n")
        << ""
        << "Object=";
    QTest::newRow("a value longer than its field holds")
        << QByteArray("[Public]\r\nObject=(Name=\"") + QByteArray(40000, 'N') +
               QByteArray("\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\"Map=M\")")
        << ""
        << "longer than";
    // A mod saved by Notepad as "Unicode", with and without its mark.
    const QString text = QString::fromLatin1(newMod);
    const QByteArray utf16 = QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    QTest::newRow("UTF-16 as Notepad saves it") << QByteArray("\xFF\xFE") + utf16 << ""
                                                << "UTF-16";
    QByteArray bigEndian = utf16;
    for (qsizetype i = 0; i + 1 < bigEndian.size(); i += 2)
        std::swap(bigEndian[i], bigEndian[i + 1]);
    QTest::newRow("UTF-16, big-endian") << QByteArray("\xFE\xFF") + bigEndian << ""
                                        << "UTF-16";
    QTest::newRow("UTF-16 without its mark") << utf16 << ""
                                             << "UTF-16";
    QTest::newRow("cannot be read") << QByteArray() << "folder"
                                    << "folder";
#ifdef Q_OS_UNIX
    QTest::newRow("a pipe") << QByteArray() << "pipe"
                            << "It is a device, pipe or socket, not a file.";
#endif
#ifdef Q_OS_LINUX
    QTest::newRow("a link to a device that never ends") << QByteArray() << "device"
                                                        << "It is a device, pipe or socket, not a file.";
#endif
}

void TestModCommands::openRefusesFiles()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    GameFixture game;
    const QString path = game.file(QStringLiteral("System/Odd.int"));
    if (kind.isEmpty())
        game.write(QStringLiteral("System/Odd.int"), contents);
    else
        MakeSpecialFile(path, kind);
    if (QTest::currentTestFailed())
        return;
    TestWindow t(game);
    frmMain& w = *t.window;
    w.document().setMod(WorkedExampleSample());
    t.ui.dialogAnswers = {path};

#ifdef Q_OS_UNIX
    // Should Open ever wait on the pipe for a writer, one comes after a few
    // seconds and ends the wait, and the test fails instead of hanging.
    std::promise<void> opened;
    std::thread writer([done = opened.get_future(), pipe = QFile::encodeName(path)] {
        if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready)
            return;
        if (const int fd = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
            ::close(fd);
    });
    w.OpenMod();
    opened.set_value();
    writer.join();
#else
    w.OpenMod();
#endif
    QCOMPARE(t.ui.messages().size(), 1);
    QVERIFY(t.ui.messages()[0].contains(path));
    QVERIFY2(t.ui.messages()[0].contains(reason), qPrintable(t.ui.messages()[0]));
    QCOMPARE(t.ui.asked.last().icon, ModalInteraction::Icon::Exclamation);
    compareMods(w.document().mod(), WorkedExampleSample());
    QCOMPARE(w.windowTitle(), Title);
}

void TestModCommands::openReportsUnplacedAugmentations()
{
    GameFixture game;
    game.write(
        QStringLiteral("System/Augs.int"),
        "[Public]\r\nObject=(Name=\"A\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\""
        "Aug=DeusEx.AugDrone(1);DeusEx.AugNothing(2);DeusEx.AugEMP(0);DeusEx.AugCloak(1);DeusEx.AugBallistic(3);;"
        " Map=\")");
    TestWindow t(game);
    frmMain& w = *t.window;
    t.ui.dialogAnswers = {game.file(QStringLiteral("System/Augs.int"))};
    w.OpenMod();
    QCOMPARE(t.ui.messages().size(), 1);
    QVERIFY(t.ui.messages()[0].contains(QStringLiteral("AugNothing(2)")));
    QVERIFY(t.ui.messages()[0].contains(QStringLiteral("AugBallistic(3)")));
    QVERIFY(!t.ui.messages()[0].contains(QStringLiteral("more")));
    const auto* augmentations = Control<AugmentationsPage>(&w, u"frmAugmentations"_s);
    QCOMPARE(w.document().mod().augSlots[0], QStringLiteral("AugDrone"));
    QCOMPARE(w.document().mod().augSlots[7], QStringLiteral("AugEMP"));
    QCOMPARE(w.document().mod().augSlots[8], QStringLiteral("AugCloak"));
    QCOMPARE(Control<QComboBox>(augmentations, u"cboAugList"_s)->currentText(), QStringLiteral("Spy Drone"));

    // A damaged file with a long list: the box lists twenty and counts the rest.
    QByteArray list;
    for (int i = 0; i < 66; ++i)
        list += "DeusEx.AugNothing" + QByteArray::number(i) + "(1);";
    game.write(QStringLiteral("System/Many.int"),
               "[Public]\r\nObject=(Name=\"A\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\"Aug=" + list +
                   "; Map=\")");
    t.ui.dialogAnswers = {game.file(QStringLiteral("System/Many.int"))};
    w.OpenMod();
    QCOMPARE(t.ui.messages().size(), 2);
    const QString message = t.ui.messages()[1];
    QVERIFY(message.contains(QStringLiteral("AugNothing19(1)")));
    QVERIFY(!message.contains(QStringLiteral("AugNothing20(1)")));
    QVERIFY2(message.endsWith(QStringLiteral("\nand 46 more.")), qPrintable(message));
    QCOMPARE(message.count(u'\n'), 21); // the heading, twenty entries, the count
}

void TestModCommands::newAfterOpen()
{
    GameFixture game;
    game.write(QStringLiteral("System/Full.int"), composeModFile(WorkedExampleSample()).toLatin1());
    TestWindow t(game);
    frmMain& w = *t.window;
    auto* spinner = Control<LevelSpinner>(&w, "scrlLevel", 2);
    spinner->setValue(3);
    t.ui.dialogAnswers = {game.file(QStringLiteral("System/Full.int"))};
    w.OpenMod();
    w.NewMod();

    compareMods(w.document().mod(), NewModSample());
    QCOMPARE(w.windowTitle(), Title);
    const auto* augmentations = Control<AugmentationsPage>(&w, u"frmAugmentations"_s);
    QVERIFY(Control<QWidget>(augmentations, "shpSelectPart", 0)->isVisibleTo(augmentations));
    QCOMPARE(Control<QComboBox>(augmentations, u"cboLevel"_s)->currentText(), QStringLiteral("Tech-1"));
    // The spinners keep their own positions.
    QCOMPARE(spinner->value(), 3);

    // The next Save asks for a file and writes the new-mod file.
    const QString file = game.file(QStringLiteral("System/New.int"));
    t.ui.dialogAnswers = {file};
    w.SaveMod();
    QCOMPARE(t.ui.ofKind(Kind::SaveFile).size(), 1);
    QCOMPARE(game.read(QStringLiteral("System/New.int")), composeModFile(NewModSample()).toLatin1());
    QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart = False"));
}

void TestModCommands::newRewritesFlagOnlyWhenChecked()
{
    GameFixture game;
    TestWindow t(game);
    frmMain& w = *t.window;

    game.write(QStringLiteral("System/Quenlar.ini"), "untouched");
    w.NewMod();
    QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), QByteArray("untouched"));

    auto* chkAutoStart = Control<QCheckBox>(&w, u"chkAutoStart"_s);
    chkAutoStart->setChecked(true);
    game.write(QStringLiteral("System/Quenlar.ini"), "untouched");
    w.NewMod();
    QVERIFY(!chkAutoStart->isChecked());
    QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart=False"));
}

QTEST_MAIN(TestModCommands)
#include "test_mod_commands.moc"

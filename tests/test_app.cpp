// The main window: its pages, its commands and the save flow.

#include "support/GameFixture.h"

#include "app/AppStyle.h"
#include "app/frmMain.h"
#include "augmentations/AugmentationsPage.h"
#include "inventory/InventoryPage.h"
#include "skills/SkillsPage.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

#include <memory>

using Kind = ScriptedModalInteraction::Asked::Kind;
using Icon = ModalInteraction::Icon;

namespace {

const QString Title = QStringLiteral("Zarvik's ML Utility");
const QByteArray NewModFile = "[Public]\r\nObject=(Name=\"\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\""
                              "Skills=0;0;0;0;0;0;0;0;0;0;0;; Map=\")";

void clickToolbar(frmMain& w, const QString& key)
{
    QAction* action = w.findChild<QAction*>(QStringLiteral("Toolbar1_") + key);
    QVERIFY(action);
    QWidget* button = w.Toolbar1->widgetForAction(action);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void triggerMenu(frmMain& w, const char* name)
{
    QAction* action = w.findChild<QAction*>(QString::fromLatin1(name));
    QVERIFY(action);
    action->trigger();
}

void clickTab(frmMain& w, int index)
{
    QTabBar* bar = w.TabStrip1->findChild<QTabBar*>();
    QVERIFY(bar);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT
private slots:
    void windowDesign();
    void pageSwitching_data();
    void pageSwitching();
    void saveWithoutGamePath();
    void firstAndSecondSave();
    void captionInCapitalsAsksAgain();
    void cancelledSaveStillWritesFlag();
    void failedWriteKeepsOldFile();
    void refusedValues_data();
    void refusedValues();
    void workedExampleThroughWindow();
    void toolbarAndMenuAgree();
    void exitClosesWindow();
    void overflowIconsAsTheStyleDrawsThem();
};

void TestApp::windowDesign()
{
    TestWindow t;
    frmMain& w = *t.window;
    QCOMPARE(w.windowTitle(), Title);
    QCOMPARE(w.centralWidget()->size(), QSize(394, 329));
    QCOMPARE(w.TabStrip1->count(), 4);
    QCOMPARE(w.TabStrip1->tabText(2), QStringLiteral("Augmentations"));
    QCOMPARE(w.txtName->geometry(), QRect(96, 48, 241, 19));
    QCOMPARE(w.frmGeneral->geometry(), QRect(16, 56, 361, 257));
    QVERIFY(!w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    for (const char* key : {"New", "Open", "Save", "Exit"}) {
        QAction* action = w.findChild<QAction*>(QStringLiteral("Toolbar1_") + QLatin1String(key));
        QVERIFY(action);
        QCOMPARE(action->toolTip(), QString::fromLatin1(key));
        QCOMPARE(w.Toolbar1->widgetForAction(action)->focusPolicy(), Qt::NoFocus);
        QCOMPARE(w.Toolbar1->widgetForAction(action)->accessibleName(), QString::fromLatin1(key));
    }
    // Keyboard order follows the design: Mod Name, Starting Map, Splash Map ...
    QCOMPARE(w.txtName->nextInFocusChain(), w.txtMap);
    QCOMPARE(w.txtMap->nextInFocusChain(), w.txtSplash);
    QCOMPARE(w.txtSplash->nextInFocusChain(), w.chkAction);
    for (QAction* a : w.findChildren<QAction*>()) {
        QVERIFY(a->shortcut().isEmpty());
        QVERIFY2(!a->text().contains(u'&'), qPrintable(a->text()));
    }
}

void TestApp::pageSwitching_data()
{
    QTest::addColumn<QList<int>>("tabs");
    QTest::newRow("skills then general") << QList<int>{3, 0};
    QTest::newRow("same tab twice") << QList<int>{2, 2};
    QTest::newRow("all in turn") << QList<int>{1, 2, 3, 0, 3, 1};
}

void TestApp::pageSwitching()
{
    QFETCH(QList<int>, tabs);
    TestWindow t;
    frmMain& w = *t.window;
    w.show();
    w.txtName->setText(QStringLiteral("Kept"));
    const QList<QWidget*> pages{w.frmGeneral, w.frmInventory, w.frmAugmentations, w.frmSkills};
    QCOMPARE(w.frmGeneral->isVisible(), true);
    for (int tab : tabs) {
        clickTab(w, tab);
        for (int p = 0; p < pages.size(); ++p)
            QCOMPARE(pages[p]->isVisible(), p == tab);
    }
    QCOMPARE(w.txtName->text(), QStringLiteral("Kept"));
}

void TestApp::saveWithoutGamePath()
{
    TestWindow t;
    t.window->SaveMod();
    QCOMPARE(t.ui.asked.size(), 1);
    QCOMPARE(t.ui.asked[0].text, QStringLiteral("You must specify the Deus Ex path in the Deus Ex Path field"));
    QCOMPARE(t.ui.asked[0].icon, Icon::Exclamation);
    QCOMPARE(t.ui.asked[0].buttons, ModalInteraction::Buttons::Ok);
    QCOMPARE(t.window->windowTitle(), Title);
}

void TestApp::firstAndSecondSave()
{
    GameFixture game;
    TestWindow t;
    frmMain& w = *t.window;
    w.txtPath->setText(game.gamePath());
    const QString target = game.file(QStringLiteral("System/First.int"));
    t.ui.dialogAnswers = {target};

    clickToolbar(w, QStringLiteral("Save"));
    const auto dialogs = t.ui.ofKind(Kind::SaveFile);
    QCOMPARE(dialogs.size(), 1);
    QCOMPARE(dialogs[0].initialDir, game.gamePath() + QStringLiteral("System") + QDir::separator());
    QCOMPARE(dialogs[0].filters, QStringList{QStringLiteral("Orvane Mod files (*.int)")});
    QCOMPARE(game.read(QStringLiteral("System/First.int")), NewModFile);
    QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart = False"));
    QCOMPARE(w.windowTitle(), Title + QStringLiteral(" - ") + target);

    // The second save goes straight back to the same file.
    w.txtName->setText(QStringLiteral("Second"));
    triggerMenu(w, "mnuSave");
    QCOMPARE(t.ui.ofKind(Kind::SaveFile).size(), 1);
    QVERIFY(game.read(QStringLiteral("System/First.int")).contains("Name=\"Second\""));
    QCOMPARE(w.windowTitle(), Title + QStringLiteral(" - ") + target);
    QVERIFY(t.ui.messages().isEmpty());
}

void TestApp::captionInCapitalsAsksAgain()
{
    GameFixture game;
    TestWindow t;
    t.window->txtPath->setText(game.gamePath());
    t.ui.dialogAnswers = {game.file(QStringLiteral("System/Caps.INT")), game.file(QStringLiteral("System/Caps.INT"))};
    t.window->SaveMod();
    t.window->SaveMod();
    QCOMPARE(t.ui.ofKind(Kind::SaveFile).size(), 2);
    QVERIFY(t.window->windowTitle().endsWith(QStringLiteral("Caps.INT")));
}

void TestApp::cancelledSaveStillWritesFlag()
{
    GameFixture::Options options;
    options.quenlarIniText = "[Other]\r\nKey=1\r\n[Quenlar.MLGameInfo]\r\nbAutoStart=False\r\n";
    GameFixture game(options);
    TestWindow t;
    t.window->txtPath->setText(game.gamePath());
    t.window->chkAutoStart->setChecked(true);
    t.window->SaveMod(); // no answer scripted: the dialog is cancelled
    QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart = True"));
    QCOMPARE(QDir(game.file(QStringLiteral("System"))).entryList({QStringLiteral("*.int")}, QDir::Files).size(), 0);
    QCOMPARE(t.window->windowTitle(), Title);
}

void TestApp::failedWriteKeepsOldFile()
{
    GameFixture game;
    TestWindow t;
    frmMain& w = *t.window;
    w.txtPath->setText(game.gamePath());
    const QString target = game.file(QStringLiteral("System/Kept.int"));
    game.write(QStringLiteral("System/Kept.int"), "old contents");
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadUser);

    t.ui.dialogAnswers = {target};
    w.SaveMod();
    QCOMPARE(game.read(QStringLiteral("System/Kept.int")), QByteArray("old contents"));
    QCOMPARE(w.windowTitle(), Title);
    QCOMPARE(t.ui.messages().size(), 1);
    QVERIFY(t.ui.messages()[0].contains(target));
    QCOMPARE(t.ui.asked.last().icon, Icon::Exclamation);

    // A folder that does not exist: the same, and nothing is created.
    const QString missing = game.file(QStringLiteral("Missing/New.int"));
    t.ui.dialogAnswers = {missing};
    w.SaveMod();
    QVERIFY(!QFile::exists(missing));
    QCOMPARE(t.ui.messages().size(), 2);
    QCOMPARE(w.windowTitle(), Title);
}

void TestApp::refusedValues_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("named");
    QTest::newRow("semicolon in the starting map") << "txtMap"
                                                   << "A;B.dx"
                                                   << "Starting Map";
    QTest::newRow("quote in the name") << "txtName"
                                       << "A\"B"
                                       << "Mod Name";
    QTest::newRow("unencodable character") << "txtPlayer" << QStringLiteral("Pkg.") + QChar(0x0416) << "PlayerClass";
}

void TestApp::refusedValues()
{
    QFETCH(QString, control);
    QFETCH(QString, value);
    QFETCH(QString, named);
    GameFixture game;
    const QByteArray flagBefore = game.read(QStringLiteral("System/Quenlar.ini"));
    TestWindow t;
    t.window->txtPath->setText(game.gamePath());
    t.window->findChild<QLineEdit*>(control)->setText(value);
    t.ui.dialogAnswers = {game.file(QStringLiteral("System/Refused.int"))};
    t.window->SaveMod();

    QCOMPARE(t.ui.messages().size(), 1);
    QVERIFY2(t.ui.messages()[0].contains(named), qPrintable(t.ui.messages()[0]));
    QVERIFY(t.ui.ofKind(Kind::SaveFile).isEmpty());
    QVERIFY(!game.exists(QStringLiteral("System/Refused.int")));
    QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), flagBefore);
}

void TestApp::workedExampleThroughWindow()
{
    GameFixture game;
    TestWindow t;
    frmMain& w = *t.window;
    w.txtPath->setText(game.gamePath());
    w.txtName->setText(QStringLiteral("Test Mod"));
    w.chkAction->setChecked(true);
    w.frmInventory->SetEntries(
        {QStringLiteral("MedKit(2)"), QStringLiteral("WeaponPistol"), QStringLiteral("MyPackage.MyItem")});
    w.txtPlayer->setText(QStringLiteral("ModPkg.ModPlayer"));
    w.txtCredits->setText(QStringLiteral("500"));
    w.frmSkills->txtSkill->setText(QStringLiteral("5000"));
    w.frmSkills->txtLevel[1]->setText(QStringLiteral("2"));
    w.frmSkills->txtLevel[6]->setText(QStringLiteral("3"));
    w.frmSkills->txtLevel[9]->setText(QStringLiteral("4"));
    w.AugSlots[3] = QStringLiteral("AugSpeed");
    w.AugLevels[3] = 1;
    w.AugSlots[4] = QStringLiteral("AugHealing");
    w.AugSlots[7] = QStringLiteral("AugCloak");
    w.AugLevels[7] = 3;
    w.txtSplash->setText(QStringLiteral("ModSplash.dx"));
    w.txtMap->setText(QStringLiteral("ModMap.dx"));
    t.ui.dialogAnswers = {game.file(QStringLiteral("System/TestMod.int"))};
    w.SaveMod();
    QCOMPARE(game.read(QStringLiteral("System/TestMod.int")),
             QByteArray("[Public]\r\nObject=(Name=\"Test Mod\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\""
                        "Action=Start; Inv=DeusEx.MedKit(2);DeusEx.WeaponPistol;MyPackage.MyItem;; "
                        "Class=ModPkg.ModPlayer; Credits=500; SkillPts=5000; Skills=0;1;0;0;0;0;2;0;0;3;0;; "
                        "Aug=DeusEx.AugSpeed(1);DeusEx.AugHealing(0);DeusEx.AugCloak(3);; Splash=ModSplash.dx; "
                        "Map=ModMap.dx\")"));
}

void TestApp::toolbarAndMenuAgree()
{
    // Save from either place asks the same question in the same place.
    GameFixture game;
    TestWindow byToolbar;
    TestWindow byMenu;
    byToolbar.window->txtPath->setText(game.gamePath());
    byMenu.window->txtPath->setText(game.gamePath());
    clickToolbar(*byToolbar.window, QStringLiteral("Save"));
    triggerMenu(*byMenu.window, "mnuSave");
    QCOMPARE(byToolbar.ui.asked.size(), 1);
    QCOMPARE(byMenu.ui.asked.size(), 1);
    QCOMPARE(byToolbar.ui.asked[0].initialDir, byMenu.ui.asked[0].initialDir);
    QCOMPARE(byToolbar.ui.asked[0].kind, byMenu.ui.asked[0].kind);
}

void TestApp::exitClosesWindow()
{
    for (bool viaToolbar : {true, false}) {
        TestWindow t;
        t.window->show();
        t.window->txtName->setText(QStringLiteral("Unsaved"));
        if (viaToolbar)
            clickToolbar(*t.window, QStringLiteral("Exit"));
        else
            triggerMenu(*t.window, "mnuExit");
        QVERIFY(!t.window->isVisible());
        QVERIFY(t.ui.asked.isEmpty());
    }
}

QTEST_MAIN(TestApp)
void TestApp::overflowIconsAsTheStyleDrawsThem()
{
    // The overflow icons are fetched late, but must be the style's own.
    const std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Fusion")));
    AppStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
    QStyleOption rightToLeft;
    rightToLeft.direction = Qt::RightToLeft;
    const QStyleOption* const options[] = {nullptr, &rightToLeft};
    for (QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        for (const QStyleOption* option : options) {
            const QIcon late = style.standardIcon(which, option);
            const QIcon own = base->standardIcon(which, option);
            QVERIFY(!late.isNull());
            QCOMPARE(late.pixmap(16).toImage(), own.pixmap(16).toImage());
            QCOMPARE(late.availableSizes(), own.availableSizes());
        }
    }
}

#include "test_app.moc"

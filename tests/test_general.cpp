// The General page's map and name checks, the map browsers and Help.

#include "support/Controls.h"
#include "support/GameFixture.h"
#include "support/TestWindow.h"

#include "app/frmMain.h"
#include "game/MapsAndNames.h"
#include "widgets/MessageText.h"
#include "widgets/ModalInteraction.h"
#include "widgets/SaveDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenuBar>
#include <QOperatingSystemVersion>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#ifdef Q_OS_WIN
#include <windows.h>

#endif

using namespace Qt::StringLiterals;

using Kind = ScriptedModalInteraction::Asked::Kind;
using Icon = ModalInteraction::Icon;

namespace {

const QString MapMessage =
    QStringLiteral("This map was not found in the DeusEx\\Maps directory. It must be there for the Orvane ML to work.");
const QString NameMessage = QStringLiteral("Name can't contain the following characters:\n\\ / : * ? \" < > |");
const QString LevelMessage = QStringLiteral("You can only enter a value between 1 and 4");

// A file the game's searches skip: a dot file, and hidden on Windows too.
void writeHidden(const GameFixture& game, const QString& relative)
{
    game.write(relative, "hidden");
#ifdef Q_OS_WIN
    SetFileAttributesW(reinterpret_cast<LPCWSTR>(game.file(relative).utf16()), FILE_ATTRIBUTE_HIDDEN);
#endif
}

// A file with a plain name that Windows marks hidden or system by attribute:
// skipped there, a file like any other elsewhere.
#ifdef Q_OS_WIN
constexpr bool MarksSkipped = true;
#else
constexpr bool MarksSkipped = false;
#endif
enum Mark : unsigned long
{
    HiddenMark = 0x2,
    SystemMark = 0x4
};

void writeMarked(const GameFixture& game, const QString& relative, [[maybe_unused]] Mark mark)
{
    game.write(relative, "marked");
#ifdef Q_OS_WIN
    QVERIFY(SetFileAttributesW(reinterpret_cast<LPCWSTR>(game.file(relative).utf16()), mark));
#endif
}

GameFixture::Options withoutMaps()
{
    GameFixture::Options options;
    options.maps = false;
    return options;
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// A message box takes the focus away and gives it back when it closes, as a
// real one does; the scripted answers stay the same.
class FocusTakingInteraction : public ScriptedModalInteraction
{
public:
    Answer message(QWidget* parent, const QString& text, Icon icon, Buttons buttons) override
    {
        const Answer answer = ScriptedModalInteraction::message(parent, text, icon, buttons);
        QWidget* owner = parent ? parent->window() : nullptr;
        {
            QWidget box;
            auto* button = new QPushButton(QStringLiteral("OK"), &box);
            box.show();
            QApplication::setActiveWindow(&box);
            button->setFocus();
            QCoreApplication::processEvents();
        }
        if (owner)
            QApplication::setActiveWindow(owner);
        QCoreApplication::processEvents();
        return answer;
    }
};

// A shown, active main window with a game directory whose dialogs take the focus like real ones.
struct GeneralWindow
{
    GeneralWindow()
    {
        w.show();
        QApplication::setActiveWindow(&w);
    }
    void leave(QLineEdit* field, const QString& text, Qt::Key key = Qt::Key_Tab)
    {
        field->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        field->setText(text);
        QTest::keyClick(field, key);
    }
    // Puts the focus into a field and gives it a text, without leaving it.
    void enter(QLineEdit* field, const QString& text)
    {
        field->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        field->setText(text);
    }
    void clickTab(int index) { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center()); }
    QWidget* page(int index) const
    {
        static const char* const names[]{"frmGeneral", "frmInventory", "frmAugmentations", "frmSkills"};
        return Control<QWidget>(&w, QString::fromLatin1(names[index]));
    }

    GameFixture game;
    BasicTestWindow<FocusTakingInteraction> t{game};
    FocusTakingInteraction& ui = t.ui;
    frmMain& w = *t.window;
    QTabBar* tabs = TabStrip(&w);
    QLineEdit* txtPath = Control<QLineEdit>(&w, u"txtPath"_s);
    QLineEdit* txtName = Control<QLineEdit>(&w, u"txtName"_s);
    QLineEdit* txtMap = Control<QLineEdit>(&w, u"txtMap"_s);
    QLineEdit* txtSplash = Control<QLineEdit>(&w, u"txtSplash"_s);
    QPushButton* cmdBrowse1 = Control<QPushButton>(&w, u"cmdBrowse1"_s);
    QPushButton* cmdBrowse2 = Control<QPushButton>(&w, u"cmdBrowse2"_s);
    QCheckBox* chkAction = Control<QCheckBox>(&w, u"chkAction"_s);
    QCheckBox* chkAutoStart = Control<QCheckBox>(&w, u"chkAutoStart"_s);
};

} // namespace

class TestGeneral : public QObject
{
    Q_OBJECT
private slots:
    void mapSearch_data();
    void mapSearch();
    void wildcards_data();
    void wildcards();
    void nameRule_data();
    void nameRule();
    void fileNamePart_data();
    void fileNamePart();

    void browseKeepsOnlyTheFileName();
    void mapCheckOnLeaving();
    void nameCheckOnLeaving();
    void noCheckLoopWhenTheMessageCloses();
    void leavingAPageThroughItsTab_data();
    void leavingAPageThroughItsTab();
    void checkRunsBeforeTheClickedControl();
    void refusedControlGetsNothingOfTheGesture();
    void menusOpenWithoutLeavingTheField_data();
    void menusOpenWithoutLeavingTheField();
    void leavingTheMenuBarForAnotherControlChecks();
    void commandCompletesTheEdit_data();
    void commandCompletesTheEdit();
    void allFilesShowsNamesWithoutADot();
    void desktopDialogsSayWhatTheyAsk_data();
    void desktopDialogsSayWhatTheyAsk();
    void saveAddsNoExtension_data();
    void saveAddsNoExtension();
    void savedNameIsTheTypedName_data();
    void savedNameIsTheTypedName();
    void saveDialogFolderThatCannotBeShown();
    void windowsSaveDialogWritesTheTypedName_data();
    void windowsSaveDialogWritesTheTypedName();
    void help();
};

void TestGeneral::mapSearch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("gamePath"); // "game", "no maps", "only hidden", "empty", "no separator"
    QTest::addColumn<bool>("found");
    QTest::newRow("present") << "00_Intro.dx"
                             << "game" << true;
    QTest::newRow("other letter case") << "00_intro.DX"
                                       << "game" << true;
    QTest::newRow("missing") << "Nowhere.dx"
                             << "game" << false;
    QTest::newRow("star") << "*.dx"
                          << "game" << true;
    QTest::newRow("question mark") << "0?_Intro.dx"
                                   << "game" << true;
    QTest::newRow("wildcard matching nothing") << "*.map"
                                               << "game" << false;
    QTest::newRow("brackets are plain characters") << "Map[1].dx"
                                                   << "game" << true;
    QTest::newRow("any extension for a name without one") << "Notes.*"
                                                          << "game" << true;
    QTest::newRow("only a hidden file matches") << "*cret.dx"
                                                << "game" << false;
    QTest::newRow("hidden file by its name") << ".Secret.dx"
                                             << "game" << false;
    QTest::newRow("hidden by its attribute") << "Attic.dx"
                                             << "game" << !MarksSkipped;
    QTest::newRow("system file") << "Boot*.dx"
                                 << "game" << !MarksSkipped;
    QTest::newRow("a folder is no map") << "Sub.dx"
                                        << "game" << false;
    QTest::newRow("a directory in the text") << "../Maps/00_Intro.dx"
                                             << "game" << false;
    QTest::newRow("a Windows directory in the text") << "..\\Maps\\00_Intro.dx"
                                                     << "game" << false;
    QTest::newRow("empty text while Maps holds a file") << ""
                                                        << "game" << true;
    QTest::newRow("empty text, only a hidden file") << ""
                                                    << "only hidden" << false;
    QTest::newRow("no Maps folder") << "00_Intro.dx"
                                    << "no maps" << false;
    QTest::newRow("empty game directory") << "00_Intro.dx"
                                          << "empty" << false;
    QTest::newRow("empty game directory, empty text") << ""
                                                      << "empty" << false;
    QTest::newRow("game directory without final separator") << "00_Intro.dx"
                                                            << "no separator" << true;
}

void TestGeneral::mapSearch()
{
    QFETCH(QString, text);
    QFETCH(QString, gamePath);
    QFETCH(bool, found);
    GameFixture game;
    game.write(QStringLiteral("Maps/Map[1].dx"), "map");
    game.write(QStringLiteral("Maps/Notes"), "notes");
    writeHidden(game, QStringLiteral("Maps/.Secret.dx"));
    writeMarked(game, QStringLiteral("Maps/Attic.dx"), HiddenMark);
    writeMarked(game, QStringLiteral("Maps/Boot.dx"), SystemMark);
    QDir(game.file(QStringLiteral("Maps"))).mkdir(QStringLiteral("Sub.dx"));
    GameFixture bare(withoutMaps());
    QDir(bare.gamePath()).mkdir(QStringLiteral("Maps"));
    writeHidden(bare, QStringLiteral("Maps/.Secret.dx"));

    QString path;
    if (gamePath == QLatin1String("game"))
        path = game.gamePath();
    else if (gamePath == QLatin1String("no maps"))
        path = GameFixture(withoutMaps()).gamePath();
    else if (gamePath == QLatin1String("only hidden"))
        path = bare.gamePath();
    else if (gamePath == QLatin1String("no separator"))
        path = game.gamePath().chopped(1);
    QCOMPARE(mapFound(path, text), found);
}

void TestGeneral::wildcards_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");
    QTest::newRow("star in the middle") << "01_NYC_UNATCOIsland.dx"
                                        << "01*Island.dx" << true;
    QTest::newRow("star must give way") << "aXbXc"
                                        << "a*Xc" << true;
    QTest::newRow("star matches nothing") << "ab"
                                          << "a*b" << true;
    QTest::newRow("question mark needs a character") << "ab"
                                                     << "ab?" << false;
    QTest::newRow("longer name") << "DX.dxx"
                                 << "*.dx" << false;
    QTest::newRow("star dot star matches a dotless name") << "Notes"
                                                          << "*.*" << true;
    QTest::newRow("dot star keeps its stem") << "Other"
                                             << "Notes.*" << false;
}

void TestGeneral::wildcards()
{
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(matchesWildcard(name, pattern), matches);
}

void TestGeneral::nameRule_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("refused");
    QTest::newRow("colon") << "Lab: Part 1" << true;
    for (QChar c : QStringLiteral("|><\"?*:/\\"))
        QTest::addRow("character %c", c.toLatin1()) << QStringLiteral("A%1B").arg(c) << true;
    QTest::newRow("dash") << "Lab - Part 1" << false;
    QTest::newRow("full stop") << "." << false;
    QTest::newRow("semicolon") << ";" << false;
    QTest::newRow("apostrophe") << "'" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("look-alike colon") << QStringLiteral("Lab\u2236 Part 1") << false;
}

void TestGeneral::nameRule()
{
    QFETCH(QString, name);
    QFETCH(bool, refused);
    QCOMPARE(hasForbiddenNameCharacter(name), refused);
}

void TestGeneral::fileNamePart_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("Windows path") << "C:\\Games\\Other\\Test.dx"
                                  << "Test.dx";
    QTest::newRow("Linux path") << "/home/user/maps/Test.DX"
                                << "Test.DX";
    QTest::newRow("mixed separators") << "C:/Games\\Other/Test.map"
                                      << "Test.map";
    QTest::newRow("bare name") << "Test.dx"
                               << "Test.dx";
}

void TestGeneral::fileNamePart()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(::fileNamePart(path), name);
}

void TestGeneral::browseKeepsOnlyTheFileName()
{
    GeneralWindow g;
    g.ui.dialogAnswers = {QStringLiteral("C:\\Games\\Other\\Test.dx"), QStringLiteral("/elsewhere/Splash.unr")};
    QTest::mouseClick(g.cmdBrowse1, Qt::LeftButton);
    QTest::mouseClick(g.cmdBrowse2, Qt::LeftButton);
    QCOMPARE(g.txtMap->text(), QStringLiteral("Test.dx"));
    QCOMPARE(g.txtSplash->text(), QStringLiteral("Splash.unr"));

    const auto dialogs = g.ui.ofKind(Kind::OpenFile);
    QCOMPARE(dialogs.size(), 2);
    // Each titled with the name of the field it fills.
    QCOMPARE(dialogs[0].title, QStringLiteral("Starting Map"));
    QCOMPARE(dialogs[1].title, QStringLiteral("Splash Map"));
    for (const auto& dialog : dialogs) {
        QCOMPARE(dialog.initialDir, g.game.gamePath() + QStringLiteral("Maps"));
        QCOMPARE(dialog.filters,
                 (QStringList{QStringLiteral("Deus Ex Maps (*.dx)"), QStringLiteral("All Files (*.*)")}));
    }

    // Cancelling keeps the text; the browse itself never checks the map.
    QTest::mouseClick(g.cmdBrowse1, Qt::LeftButton);
    QCOMPARE(g.txtMap->text(), QStringLiteral("Test.dx"));
    settle();
    QVERIFY(g.ui.messages().isEmpty());

    // Leaving the field later does: Test.dx is not in Maps.
    g.leave(g.txtMap, g.txtMap->text());
    QTRY_COMPARE(g.ui.messages(), QStringList{MapMessage});
}

void TestGeneral::mapCheckOnLeaving()
{
    GeneralWindow g;
    g.leave(g.txtMap, QStringLiteral("00_Intro.dx"));
    QTRY_COMPARE(QApplication::focusWidget(), g.txtSplash);
    settle();
    QVERIFY(g.ui.messages().isEmpty());

    // Shift+Tab leaves the field too.
    g.leave(g.txtMap, QStringLiteral("Missing.dx"), Qt::Key_Backtab);
    QTRY_COMPARE(g.ui.messages(), QStringList{MapMessage});
    QCOMPARE(g.ui.asked.last().icon, Icon::Exclamation);
    QTRY_COMPARE(QApplication::focusWidget(), g.txtMap);
    QCOMPARE(g.txtMap->text(), QStringLiteral("Missing.dx"));

    // The splash map has no check.
    g.txtMap->setText(QStringLiteral("00_Intro.dx"));
    g.leave(g.txtSplash, QStringLiteral("Missing.dx"));
    settle();
    QCOMPARE(g.ui.messages().size(), 1);
}

void TestGeneral::nameCheckOnLeaving()
{
    GeneralWindow g;
    g.leave(g.txtName, QStringLiteral("Lab - Part 1"));
    QTRY_COMPARE(QApplication::focusWidget(), g.txtMap);
    settle();
    QVERIFY(g.ui.messages().isEmpty());

    g.leave(g.txtName, QStringLiteral("Lab: Part 1"));
    QTRY_COMPARE(g.ui.messages(), QStringList{NameMessage});
    QCOMPARE(g.ui.asked.last().icon, Icon::Critical);
    QCOMPARE(g.ui.asked.last().buttons, ModalInteraction::Buttons::Ok);
    QTRY_COMPARE(QApplication::focusWidget(), g.txtName);
    QCOMPARE(g.txtName->text(), QStringLiteral("Lab: Part 1"));
}

void TestGeneral::noCheckLoopWhenTheMessageCloses()
{
    // Both fields hold a wrong value and the name is left for the map: only
    // the name is reported, and the focus coming back through the map field
    // raises no further check.
    GeneralWindow g;
    g.txtMap->setText(QStringLiteral("Missing.dx"));
    g.leave(g.txtName, QStringLiteral("A|B"));
    QTRY_COMPARE(g.ui.messages().size(), 1);
    QTRY_COMPARE(QApplication::focusWidget(), g.txtName);
    settle();
    settle();
    QCOMPARE(g.ui.messages(), QStringList{NameMessage});

    // Leaving again reports again, once.
    QTest::keyClick(g.txtName, Qt::Key_Tab);
    QTRY_COMPARE(g.ui.messages().size(), 2);
    QTRY_COMPARE(QApplication::focusWidget(), g.txtName);
    settle();
    QCOMPARE(g.ui.messages().size(), 2);

    // The map field's own failure returns the focus without a second round.
    g.txtName->setText(QStringLiteral("Fine"));
    g.leave(g.txtMap, QStringLiteral("Missing.dx"));
    QTRY_COMPARE(g.ui.messages().size(), 3);
    QTRY_COMPARE(QApplication::focusWidget(), g.txtMap);
    settle();
    settle();
    QCOMPARE(g.ui.messages().size(), 3);
    QCOMPARE(g.ui.messages().last(), MapMessage);
}

void TestGeneral::leavingAPageThroughItsTab_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("wrong");
    QTest::addColumn<QString>("right");
    QTest::addColumn<int>("tab"); // clicked
    QTest::addColumn<QString>("message");
    QTest::newRow("level, to General") << 3 << "txtLevel(6)"
                                       << "5"
                                       << "4" << 0 << LevelMessage;
    QTest::newRow("level, to Augmentations") << 3 << "txtLevel(0)"
                                             << ""
                                             << "1" << 2 << LevelMessage;
    QTest::newRow("map, to Skills") << 0 << "txtMap"
                                    << "Missing.dx"
                                    << "00_Intro.dx" << 3 << MapMessage;
    QTest::newRow("name, to Inventory") << 0 << "txtName"
                                        << "a:b"
                                        << "Lab" << 1 << NameMessage;
}

void TestGeneral::leavingAPageThroughItsTab()
{
    // A failed check keeps its page: the tab stays, the field is shown and
    // has the focus, and what is typed next lands in it where the user sees it.
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(QString, wrong);
    QFETCH(QString, right);
    QFETCH(int, tab);
    QFETCH(QString, message);
    GeneralWindow g;
    g.txtMap->setText(QStringLiteral("00_Intro.dx"));
    g.tabs->setCurrentIndex(page);
    auto* text = g.w.findChild<QLineEdit*>(field);
    QVERIFY(text);
    g.enter(text, wrong);

    g.clickTab(tab);
    QCOMPARE(g.ui.messages(), QStringList{message}); // at once, over its own page
    QCOMPARE(g.tabs->currentIndex(), page);
    QVERIFY(g.page(page)->isVisible());
    QVERIFY(!g.page(tab)->isVisible());
    QCOMPARE(QApplication::focusWidget(), text);
    QVERIFY(text->isVisible());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ab"));
    QCOMPARE(text->text(), wrong + QStringLiteral("ab"));
    settle();
    QCOMPARE(g.ui.messages().size(), 1);

    // Mended, the field lets the page go; the focus waits on the tab strip.
    text->setText(right);
    g.clickTab(tab);
    QCOMPARE(g.tabs->currentIndex(), tab);
    QVERIFY(g.page(tab)->isVisible());
    QVERIFY(!text->isVisible());
    QVERIFY(g.tabs->hasFocus());
    QCOMPARE(g.ui.messages().size(), 1);

    // No check is left switched off: the name is still checked afterwards.
    g.clickTab(0);
    g.enter(g.txtName, QStringLiteral("a:b"));
    QTest::mouseClick(g.txtMap, Qt::LeftButton);
    QCOMPARE(g.ui.messages().size(), 2);
    QCOMPARE(g.ui.messages().last(), NameMessage);
    QCOMPARE(QApplication::focusWidget(), g.txtName);
}

void TestGeneral::checkRunsBeforeTheClickedControl()
{
    // A path typed without its final separator, then a tap on the autostart
    // box whose press and release arrive together: the path is mended first,
    // so the box writes to the right file.
    GeneralWindow g;
    QString path = g.game.gamePath();
    path.chop(1);
    g.enter(g.txtPath, path);
    QTest::mousePress(g.chkAutoStart, Qt::LeftButton);
    QTest::mouseRelease(g.chkAutoStart, Qt::LeftButton);
    QCOMPARE(g.txtPath->text(), g.game.gamePath());
    QVERIFY(g.chkAutoStart->isChecked());
    QCOMPARE(g.game.read(QStringLiteral("System/Quenlar.ini")), QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart=True"));
    settle();
    QVERIFY(g.ui.messages().isEmpty());

    // A click that a failed check refuses does nothing where it landed.
    g.enter(g.txtName, QStringLiteral("a|b"));
    QTest::mouseClick(g.chkAction, Qt::LeftButton);
    QCOMPARE(g.ui.messages(), QStringList{NameMessage});
    QVERIFY(!g.chkAction->isChecked());
    QCOMPARE(QApplication::focusWidget(), g.txtName);
    settle();
    QCOMPARE(g.ui.messages().size(), 1);
}

void TestGeneral::refusedControlGetsNothingOfTheGesture()
{
    // Through the window system, as a person's mouse: the right-click's
    // context menu and a held button's moves reach the refused text box no
    // more than the press does.
    GeneralWindow g;
    QWindow* window = g.w.windowHandle();
    QVERIFY(QTest::qWaitForWindowActive(window));
    const auto at = [&g](QWidget* w) { return w->mapTo(&g.w, w->rect().center()); };
    g.txtMap->setText(QStringLiteral("00_Intro.dx"));
    g.enter(g.txtName, QStringLiteral("a:b"));

    QTest::mouseClick(window, Qt::RightButton, {}, at(g.txtMap));
    QCOMPARE(g.ui.messages(), QStringList{NameMessage});
    QCOMPARE(QApplication::focusWidget(), g.txtName);
    QVERIFY2(!QApplication::activePopupWidget(), "the refused text box opened its context menu");
    settle();
    QVERIFY(!QApplication::activePopupWidget());

    // A press held while the loop turns, then dragged back across the text
    // from its end, where the cursor stands.
    const QPoint end = g.txtMap->mapTo(&g.w, QPoint(g.txtMap->width() - 4, g.txtMap->height() / 2));
    const QPoint start = g.txtMap->mapTo(&g.w, QPoint(4, g.txtMap->height() / 2));
    QTest::mousePress(window, Qt::LeftButton, {}, end);
    settle();
    QTest::mouseMove(window, start);
    settle();
    QTest::mouseRelease(window, Qt::LeftButton, {}, start);
    settle();
    QCOMPARE(g.ui.messages().size(), 2);
    QVERIFY(!g.txtMap->hasSelectedText());
    QCOMPARE(QApplication::focusWidget(), g.txtName);

    // The gestures over, the text box is the user's again.
    g.txtName->setText(QStringLiteral("Lab"));
    QTest::mouseClick(window, Qt::RightButton, {}, at(g.txtMap));
    QCOMPARE(QApplication::focusWidget(), g.txtMap);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QApplication::activePopupWidget()->close();
    QCOMPARE(g.ui.messages().size(), 2);
}

void TestGeneral::menusOpenWithoutLeavingTheField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text"); // "path" for the game directory without its final separator
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<QString>("menu"); // opened at once, if any
    QTest::newRow("Alt in a path being typed") << "txtPath"
                                               << "path" << QKeyCombination(Qt::AltModifier, Qt::Key_Alt) << "";
    QTest::newRow("Alt in a name being typed") << "txtName"
                                               << "a:b" << QKeyCombination(Qt::AltModifier, Qt::Key_Alt) << "";
    QTest::newRow("Alt+F") << "txtName"
                           << "a:b" << QKeyCombination(Qt::AltModifier, Qt::Key_F) << "mnuFile";
    QTest::newRow("Alt+H in a path") << "txtPath"
                                     << "path" << QKeyCombination(Qt::AltModifier, Qt::Key_H) << "mnuHelp";
    QTest::newRow("F10") << "txtMap"
                         << "Missing.dx" << QKeyCombination(Qt::Key_F10) << "mnuFile";
    QTest::newRow("F10 in a level") << "txtLevel(3)"
                                    << "7" << QKeyCombination(Qt::Key_F10) << "mnuFile";
}

void TestGeneral::menusOpenWithoutLeavingTheField()
{
    // The keyboard's ways to the menus, as a person presses them: they open
    // the menus as a click does, with no check and the text as typed.
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QKeyCombination, key);
    QFETCH(QString, menu);
    GeneralWindow g;
    QWindow* window = g.w.windowHandle();
    QVERIFY(QTest::qWaitForWindowActive(window));
    if (text == QLatin1String("path")) {
        text = g.game.gamePath();
        text.chop(1);
    }
    auto* box = g.w.findChild<QLineEdit*>(field);
    QVERIFY(box);
    if (field.startsWith(QLatin1String("txtLevel")))
        g.tabs->setCurrentIndex(3);
    g.enter(box, text);

    if (key.key() == Qt::Key_Alt) {
        QTest::keyClick(window, Qt::Key_Alt);
        QCOMPARE(QApplication::focusWidget(), g.w.menuBar());
        // Down opens the first menu, as the menu bar takes the keyboard.
        QTest::keyClick(window, Qt::Key_Down);
        menu = QStringLiteral("mnuFile");
    } else {
        QTest::keyClick(window, key.key(), key.keyboardModifiers());
    }
    QTRY_VERIFY(QApplication::activePopupWidget());
    QCOMPARE(QApplication::activePopupWidget()->objectName(), menu);
    settle();
    QVERIFY2(g.ui.messages().isEmpty(), qPrintable(g.ui.messages().join(u'\n')));
    QCOMPARE(box->text(), text);

    // Escape leaves the menus, and the field has the focus as before.
    for (int i = 0; i < 2 && (QApplication::activePopupWidget() || QApplication::focusWidget() != box); ++i)
        QTest::keyClick(window, Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), box);
    QVERIFY(!QApplication::activePopupWidget());
    QTest::keyClicks(box, QStringLiteral("z"));
    QCOMPARE(box->text(), text + u'z');
    settle();
    QVERIFY(g.ui.messages().isEmpty());

    // Leaving it for a control still checks it.
    if (field != QLatin1String("txtPath")) {
        QTest::keyClick(window, Qt::Key_Tab);
        QCOMPARE(g.ui.messages().size(), 1);
        QCOMPARE(QApplication::focusWidget(), box);
    }
}

void TestGeneral::leavingTheMenuBarForAnotherControlChecks()
{
    // From the menu bar, taken with Alt, a click on another control leaves
    // the field the menu bar took the focus from: its check runs and keeps
    // the focus, and the click does nothing where it landed.
    GeneralWindow g;
    QWindow* window = g.w.windowHandle();
    QVERIFY(QTest::qWaitForWindowActive(window));
    g.enter(g.txtName, QStringLiteral("a|b"));
    QTest::keyClick(window, Qt::Key_Alt);
    QCOMPARE(QApplication::focusWidget(), g.w.menuBar());
    QTest::mouseClick(window, Qt::LeftButton, {}, g.chkAction->mapTo(&g.w, QPoint(5, 5)));
    QCOMPARE(g.ui.messages(), QStringList{NameMessage});
    QCOMPARE(QApplication::focusWidget(), g.txtName);
    QVERIFY(!g.chkAction->isChecked());

    // Nor does a click on another tab, which leaves the page.
    g.txtName->setText(QStringLiteral("Lab"));
    g.tabs->setCurrentIndex(3);
    auto* level = g.w.findChild<QLineEdit*>(QStringLiteral("txtLevel(2)"));
    g.enter(level, QStringLiteral("9"));
    QTest::keyClick(window, Qt::Key_Alt);
    QCOMPARE(QApplication::focusWidget(), g.w.menuBar());
    QTabBar* tabs = g.tabs;
    QTest::mouseClick(window, Qt::LeftButton, {}, tabs->mapTo(&g.w, tabs->tabRect(0).center()));
    QCOMPARE(g.ui.messages(), (QStringList{NameMessage, LevelMessage}));
    QCOMPARE(g.tabs->currentIndex(), 3);
    QCOMPARE(QApplication::focusWidget(), level);
    level->setText(QStringLiteral("2"));
    g.tabs->setCurrentIndex(0);

    // And a path typed without its separator gets it on the way.
    QString path = g.game.gamePath();
    path.chop(1);
    g.enter(g.txtPath, path);
    QTest::keyClick(window, Qt::Key_Alt);
    QCOMPARE(QApplication::focusWidget(), g.w.menuBar());
    QTest::mouseClick(window, Qt::LeftButton, {}, g.txtMap->mapTo(&g.w, g.txtMap->rect().center()));
    QCOMPARE(QApplication::focusWidget(), g.txtMap);
    QCOMPARE(g.txtPath->text(), g.game.gamePath());
    QCOMPARE(g.ui.messages().size(), 2);
}

void TestGeneral::commandCompletesTheEdit_data()
{
    QTest::addColumn<QString>("command"); // a toolbar key, "menu Save", or keys that turn the page
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");    // "path" for the game directory without its final separator
    QTest::addColumn<QString>("message"); // of the check that refuses; empty when none does
    QTest::addColumn<int>("pageAfter");   // for the page keys

    QTest::newRow("Save, path without separator") << "Save" << 0 << "txtPath"
                                                  << "path"
                                                  << "" << 0;
    QTest::newRow("Save from the menu, path") << "menu Save" << 0 << "txtPath"
                                              << "path"
                                              << "" << 0;
    QTest::newRow("Save, level 9") << "Save" << 3 << "txtLevel(4)"
                                   << "9" << LevelMessage << 3;
    QTest::newRow("Save from the menu, empty level") << "menu Save" << 3 << "txtLevel(0)"
                                                     << "" << LevelMessage << 3;
    QTest::newRow("Save, name") << "Save" << 0 << "txtName"
                                << "a:b" << NameMessage << 0;
    QTest::newRow("Save, map") << "Save" << 0 << "txtMap"
                               << "Missing.dx" << MapMessage << 0;
    QTest::newRow("Open, path without separator") << "Open" << 0 << "txtPath"
                                                  << "path"
                                                  << "" << 0;
    QTest::newRow("Open replaces a level unchecked") << "Open" << 3 << "txtLevel(4)"
                                                     << "9"
                                                     << "" << 3;
    QTest::newRow("New, path without separator") << "New" << 0 << "txtPath"
                                                 << "path"
                                                 << "" << 0;
    QTest::newRow("New replaces a name unchecked") << "New" << 0 << "txtName"
                                                   << "a:b"
                                                   << "" << 0;
    QTest::newRow("Ctrl+Tab, path") << "Ctrl+Tab" << 0 << "txtPath"
                                    << "path"
                                    << "" << 1;
    QTest::newRow("Ctrl+Tab, level 9") << "Ctrl+Tab" << 3 << "txtLevel(6)"
                                       << "9" << LevelMessage << 3;
    QTest::newRow("Ctrl+Tab round the end") << "Ctrl+Tab" << 3 << "txtLevel(6)"
                                            << "2"
                                            << "" << 0;
    QTest::newRow("Ctrl+Shift+Tab, name") << "Ctrl+Shift+Tab" << 0 << "txtName"
                                          << "a:b" << NameMessage << 0;
    QTest::newRow("Ctrl+Shift+Tab round the start") << "Ctrl+Shift+Tab" << 0 << "txtName"
                                                    << "Lab"
                                                    << "" << 3;
    QTest::newRow("Ctrl+PgDn, map") << "Ctrl+PgDn" << 0 << "txtMap"
                                    << "Missing.dx" << MapMessage << 0;
    QTest::newRow("Ctrl+PgDn") << "Ctrl+PgDn" << 2 << "cboAugList"
                               << ""
                               << "" << 3;
    QTest::newRow("Ctrl+PgUp, level 0") << "Ctrl+PgUp" << 3 << "txtLevel(1)"
                                        << "0" << LevelMessage << 3;
    QTest::newRow("Ctrl+PgUp") << "Ctrl+PgUp" << 3 << "txtLevel(1)"
                               << "3"
                               << "" << 2;
}

void TestGeneral::commandCompletesTheEdit()
{
    // A toolbar button takes no focus, a menu entry and a key leave it where
    // it is: the command completes the field's edit as leaving it would, and
    // a refusal stops the command with the focus in the field.
    QFETCH(QString, command);
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, pageAfter);
    GeneralWindow g;
    QWindow* window = g.w.windowHandle();
    QVERIFY(QTest::qWaitForWindowActive(window));
    g.txtMap->setText(QStringLiteral("00_Intro.dx"));
    g.tabs->setCurrentIndex(page);
    QWidget* control = g.w.findChild<QWidget*>(field);
    QVERIFY(control);
    auto* box = qobject_cast<QLineEdit*>(control);
    if (text == QLatin1String("path")) {
        text = g.game.gamePath();
        text.chop(1);
    }
    if (box) {
        g.enter(box, text);
    } else {
        control->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), control);
    }

    if (command.startsWith(QLatin1String("Ctrl+"))) {
        const QHash<QString, QKeyCombination> keys{
            {QStringLiteral("Ctrl+Tab"), Qt::CTRL | Qt::Key_Tab},
            // What the window system gives for Ctrl+Shift+Tab.
            {QStringLiteral("Ctrl+Shift+Tab"), Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab},
            {QStringLiteral("Ctrl+PgDn"), Qt::CTRL | Qt::Key_PageDown},
            {QStringLiteral("Ctrl+PgUp"), Qt::CTRL | Qt::Key_PageUp},
        };
        const QKeyCombination key = keys.value(command);
        QTest::keyClick(window, key.key(), key.keyboardModifiers());
    } else if (command == QLatin1String("menu Save")) {
        Control<QAction>(&g.w, u"mnuSave"_s)->trigger();
    } else {
        QTest::mouseClick(Control<QToolButton>(&g.w, QStringLiteral("Toolbar1_") + command), Qt::LeftButton);
    }

    QCOMPARE(g.ui.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(g.tabs->currentIndex(), pageAfter);
    QVERIFY(g.page(pageAfter)->isVisible());
    const QList<ScriptedModalInteraction::Asked> dialogs =
        g.ui.ofKind(command.endsWith(QLatin1String("Open")) ? Kind::OpenFile : Kind::SaveFile);
    if (!message.isEmpty()) {
        // Refused: the command did nothing, and what is typed next lands in the field.
        QCOMPARE(QApplication::focusWidget(), control);
        QVERIFY(dialogs.isEmpty());
        QCOMPARE(box->text(), text);
        QTest::keyClicks(box, QStringLiteral("x"));
        QCOMPARE(box->text(), text + u'x');
        settle();
        QCOMPARE(g.ui.messages().size(), 1);
        return;
    }
    // The game directory ends with its separator before the command uses it:
    // its dialog opens in the game's System folder.
    QCOMPARE(g.txtPath->text(), g.game.gamePath());
    if (command.endsWith(QLatin1String("Save")) || command == QLatin1String("Open")) {
        QCOMPARE(dialogs.size(), 1);
        QCOMPARE(QDir::cleanPath(dialogs.first().initialDir), QDir::cleanPath(g.game.file(QStringLiteral("System"))));
    }
    if (command.endsWith(QLatin1String("Save")))
        QCOMPARE(g.game.read(QStringLiteral("System/Quenlar.ini")),
                 QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart = False"));
    if (command == QLatin1String("New") && box && box != g.txtPath)
        QCOMPARE(box->text(), QString());
    // The commands leave the focus where it was; the page keys take it off
    // the page they hid.
    if (command.startsWith(QLatin1String("Ctrl+")))
        QVERIFY(!control->isVisible() || pageAfter == page);
    else
        QCOMPARE(QApplication::focusWidget(), control);
}

void TestGeneral::allFilesShowsNamesWithoutADot()
{
    // The real open dialog as the map browsers set it up: the captions read
    // as written, and "All Files (*.*)" lists a file whose name has no dot.
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    setUpOpenDialog(dialog, QDir::tempPath(),
                    {QStringLiteral("Deus Ex Maps (*.dx)"), QStringLiteral("All Files (*.*)")});
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* model = dialog.findChild<QFileSystemModel*>();
    QVERIFY(types && model);
    QCOMPARE(types->count(), 2);
    QCOMPARE(types->itemText(0), QStringLiteral("Deus Ex Maps (*.dx)"));
    QCOMPARE(types->itemText(1), QStringLiteral("All Files (*.*)"));
    QCOMPARE(model->nameFilters(), QStringList{QStringLiteral("*.dx")});
    dialog.selectNameFilter(dialog.nameFilters().at(1));
#ifdef Q_OS_WIN
    // The desktop's own dialog, which is the one used here, reads "*.*" as every file.
    QCOMPARE(model->nameFilters(), QStringList{QStringLiteral("*.*")});
#else
    QCOMPARE(model->nameFilters(), QStringList{QStringLiteral("*")});
    QVERIFY(QDir::match(model->nameFilters(), QStringLiteral("DeusEx")));
#endif
}

void TestGeneral::desktopDialogsSayWhatTheyAsk_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::newRow("folder") << "folder"
                            << "Select the directory where Deus Ex is installed";
    QTest::newRow("Open") << "open"
                          << "Open";
    QTest::newRow("map") << "open"
                         << "Starting Map";
}

void TestGeneral::desktopDialogsSayWhatTheyAsk()
{
    // The dialogs the program really shows, titled with what they ask for.
    QFETCH(QString, kind);
    QFETCH(QString, title);
    if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
        QSKIP("Windows shows its own dialogs, which a test cannot answer.");
    QtModalInteraction ui;
    QString shownTitle;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            shownTitle = dialog->windowTitle();
            dialog->close();
        }
    });
    poll.start(10);
    QTemporaryDir dir;
    QString chosen;
    if (kind == QLatin1String("folder")) {
        const Result<QString> folder = ui.existingDirectory(nullptr, title);
        QVERIFY(folder.ok());
        chosen = folder.value();
    } else {
        chosen = ui.openFileName(nullptr, title, dir.path(), {QStringLiteral("Any (*.*)")});
    }
    QCOMPARE(chosen, QString());
    QCOMPARE(shownTitle, title);
}

void TestGeneral::saveAddsNoExtension_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("without an extension") << "Mod"
                                          << "Mod";
    QTest::newRow("with .int") << "Mod.int"
                               << "Mod.int";
    QTest::newRow("with another extension") << "Mod.txt"
                                            << "Mod.txt";
}

void TestGeneral::saveAddsNoExtension()
{
    // Qt's save dialog as the program sets it up: a name typed without
    // ".int" is used as typed. (Windows' own dialog, shown by the program
    // itself there, is given no extension to add.)
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QTemporaryDir dir;
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    setUpSaveDialog(dialog, dir.path(), {QStringLiteral("Orvane Mod files (*.int)")});
    QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("Orvane Mod files (*.int)")});
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(typed);
    QMetaObject::invokeMethod(&dialog, "accept");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(QDir::toNativeSeparators(dialog.selectedFiles().value(0)), QDir::toNativeSeparators(dir.filePath(saved)));
}

void TestGeneral::savedNameIsTheTypedName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved"); // in the dialog's folder; empty: the typed path itself
    QTest::newRow("no extension, a file of that name there") << "AuditMod"
                                                             << "AuditMod";
    QTest::newRow("extension in capitals") << "Upper.INT"
                                           << "Upper.INT";
    QTest::newRow("a dot in the name") << "My.Mod"
                                       << "My.Mod";
    QTest::newRow("with .int") << "Lab.int"
                               << "Lab.int";
    QTest::newRow("in a folder below") << "Mods/Lab"
                                       << "Mods/Lab";
    QTest::newRow("a whole path") << "whole"
                                  << "";
}

void TestGeneral::savedNameIsTheTypedName()
{
    // Whatever the dialog makes of it, the file written is the one whose
    // name was typed, with nothing added.
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    QVERIFY(QFile(dir.filePath(QStringLiteral("AuditMod"))).open(QIODevice::WriteOnly));
    QVERIFY(QFile(dir.filePath(QStringLiteral("AuditMod.int"))).open(QIODevice::WriteOnly));
    const QString folder = QDir::toNativeSeparators(dir.path());
    if (saved.isEmpty()) {
        typed = QDir::toNativeSeparators(elsewhere.filePath(QStringLiteral("Other.Mod")));
        QCOMPARE(typedSaveTarget(folder, typed), typed);
        return;
    }
    QCOMPARE(typedSaveTarget(folder, QDir::toNativeSeparators(typed)), QDir::toNativeSeparators(dir.filePath(saved)));
}

void TestGeneral::saveDialogFolderThatCannotBeShown()
{
    // A folder the save dialog cannot open in is named to the user before it
    // opens elsewhere; one it can open in is not.
    QTemporaryDir dir;
    QCOMPARE(saveFolderProblem(dir.path()), std::nullopt);
    const QString missing = QDir::toNativeSeparators(dir.filePath(QStringLiteral("System")));
    QCOMPARE(saveFolderProblem(missing), std::optional<QString>(QStringLiteral("The folder does not exist.")));
    QCOMPARE(
        withoutPathMarks(saveFolderNotShownMessage(missing, QStringLiteral("The folder does not exist."))),
        QStringLiteral("The save dialog cannot open in %1 and opens in another folder.\nThe folder does not exist.")
            .arg(missing));
}

#ifdef Q_OS_WIN
namespace {

// Works the program's windows of Windows' own dialogs as a person would:
// types a name into the save dialog and accepts it, answers its questions.
struct NativeDialogHand
{
    QStringList steps; // "NAME" to type and accept, "yes"/"no" for a question, "cancel"
    QStringList questions;

    static QList<HWND> dialogs()
    {
        QList<HWND> found;
        EnumWindows(
            [](HWND window, LPARAM list) -> BOOL {
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                wchar_t kind[32] = {};
                GetClassNameW(window, kind, 32);
                if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
                    QString::fromWCharArray(kind) == QLatin1String("#32770"))
                    reinterpret_cast<QList<HWND>*>(list)->append(window);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    static HWND nameBox(HWND dialog)
    {
        HWND found = nullptr;
        EnumChildWindows(
            dialog,
            [](HWND child, LPARAM result) -> BOOL {
                wchar_t kind[32] = {};
                GetClassNameW(child, kind, 32);
                if (QString::fromWCharArray(kind).compare(QLatin1String("Edit"), Qt::CaseInsensitive) != 0 ||
                    !IsWindowVisible(child))
                    return TRUE;
                *reinterpret_cast<HWND*>(result) = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    // Closes whatever the hand left open, so that a dialog it could not work
    // never holds the test up.
    void giveUp()
    {
        gaveUp = true;
        for (HWND dialog : dialogs())
            PostMessageW(dialog, WM_COMMAND, GetDlgItem(dialog, 0xFFFF) ? IDNO : IDCANCEL, 0);
    }
    bool gaveUp = false;

    void act()
    {
        if (steps.isEmpty())
            return;
        for (HWND dialog : dialogs()) {
            wchar_t text[1024] = {};
            // A message box's text is its static control 0xFFFF.
            if (GetDlgItemTextW(dialog, 0xFFFF, text, 1024) > 0) {
                questions << QString::fromWCharArray(text);
                const QString answer = steps.takeFirst();
                PostMessageW(dialog, WM_COMMAND, answer == QLatin1String("yes") ? IDYES : IDNO, 0);
                return;
            }
            const QString step = steps.takeFirst();
            if (step == QLatin1String("cancel")) {
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            HWND box = nameBox(dialog);
            if (!box) {
                steps.prepend(step);
                return;
            }
            SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.utf16()));
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            return;
        }
    }
};

} // namespace
#endif

void TestGeneral::windowsSaveDialogWritesTheTypedName_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("saved"); // empty: cancelled
    QTest::addColumn<QStringList>("questions");
    const QString replace = QStringLiteral("%1 already exists.\nDo you want to replace it?");
    QTest::newRow("no extension, the file there")
        << QStringList{u"AuditMod"_s, u"yes"_s} << u"AuditMod"_s << QStringList{replace.arg(u"AuditMod"_s)};
    QTest::newRow("not replaced") << QStringList{u"AuditMod"_s, u"no"_s, u"cancel"_s} << u""_s
                                  << QStringList{replace.arg(u"AuditMod"_s)};
    QTest::newRow("extension in capitals") << QStringList{u"Upper.INT"_s} << u"Upper.INT"_s << QStringList{};
    QTest::newRow("a dot in the name") << QStringList{u"My.Mod"_s} << u"My.Mod"_s << QStringList{};
    QTest::newRow("new name without extension") << QStringList{u"Fresh"_s} << u"Fresh"_s << QStringList{};
}

void TestGeneral::windowsSaveDialogWritesTheTypedName()
{
    // Windows' own save dialog, worked through its windows: the file named is
    // the one typed, and the question before replacing it names that file.
#ifndef Q_OS_WIN
    QSKIP("Windows' own save dialog is shown on Windows only.");
#else
    QFETCH(QStringList, steps);
    QFETCH(QString, saved);
    QFETCH(QStringList, questions);
    QTemporaryDir dir;
    for (const char* name : {"AuditMod", "AuditMod.int"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    NativeDialogHand hand{steps, {}};
    QTimer poll;
    int ticks = 0;
    connect(&poll, &QTimer::timeout, this, [&hand, &ticks] {
        if (++ticks > 100)
            hand.giveUp();
        else
            hand.act();
    });
    poll.start(200);
    const Result<QString> chosen =
        askSaveFileName(nullptr, QDir::toNativeSeparators(dir.path()), {QStringLiteral("Orvane Mod files (*.int)")});
    poll.stop();
    // Without a display (Wine run headless) the dialog fails, and says so.
    if (!chosen.ok() && chosen.error().startsWith(QLatin1String("The save dialog could not")))
        QSKIP("Windows' own save dialog cannot be shown here.");
    QVERIFY2(chosen.ok(), qPrintable(chosen.error()));
    QVERIFY2(!hand.gaveUp, qPrintable(hand.steps.join(u' ')));
    QCOMPARE(chosen.value(), saved.isEmpty() ? QString() : QDir::toNativeSeparators(dir.filePath(saved)));
    QCOMPARE(hand.questions, questions);
#endif
}

void TestGeneral::help()
{
    TestWindow t;
    QTemporaryDir programDir;
    t.window->setProgramDirectory(programDir.path());
    QAction* mnuAHelp = t.window->findChild<QAction*>(QStringLiteral("mnuAHelp"));
    QVERIFY(mnuAHelp);

    mnuAHelp->trigger();
    QCOMPARE(t.ui.messages(),
             QStringList{QStringLiteral("Help file not found. Make sure it is in the same folder as this file.")});
    QCOMPARE(t.ui.asked.last().icon, Icon::Exclamation);
    QVERIFY(t.ui.ofKind(Kind::Url).isEmpty());

    QFile document(QDir(programDir.path()).filePath(QStringLiteral("readme.htm")));
    QVERIFY(document.open(QIODevice::WriteOnly));
    document.close();
    t.ui.clear();
    mnuAHelp->trigger();
    QVERIFY(t.ui.messages().isEmpty());
    const auto opened = t.ui.ofKind(Kind::Url);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened[0].url, QUrl::fromLocalFile(document.fileName()));
}

QTEST_MAIN(TestGeneral)
#include "test_general.moc"

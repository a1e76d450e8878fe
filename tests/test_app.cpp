// The main window: its pages, its commands, the save flow, and the ways a
// mod file reaches it from outside (the command line, a drop).

#include "support/ApplicationFont.h"
#include "support/Controls.h"
#include "support/DiskFaults.h"
#include "support/GameFixture.h"
#include "support/ModRoundTrip.h"
#include "support/SampleMods.h"
#include "support/SpecialFiles.h"
#include "support/TestWindow.h"

#include "app/AppStyle.h"
#include "app/CommandLine.h"
#include "app/frmMain.h"
#include "augmentations/AugmentationsPage.h"
#include "document/ModDocument.h"
#include "files/Paths.h"
#include "files/TextFile.h"
#include "inventory/InventoryPage.h"
#include "mod/ModFormat.h"
#include "skills/SkillsPage.h"
#include "widgets/AssetPictures.h"
#include "widgets/Layout.h"
#include "widgets/MessageBox.h"
#include "widgets/MessageText.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMimeDatabase>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

using Kind = ScriptedModalInteraction::Asked::Kind;
using Icon = ModalInteraction::Icon;

namespace {

const QString Title = QStringLiteral("Zarvik's ML Utility");
const QByteArray NewModFile = "[Public]\r\nObject=(Name=\"\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\""
                              "Skills=0;0;0;0;0;0;0;0;0;0;0;; Map=\")";

void clickToolbar(frmMain& w, const QString& key)
{
    QTest::mouseClick(Control<QToolButton>(&w, QStringLiteral("Toolbar1_") + key), Qt::LeftButton);
}

QStringList rowsOf(const QListWidget* list)
{
    QStringList rows;
    for (int row = 0; row < list->count(); ++row)
        rows << list->item(row)->text();
    return rows;
}

void triggerMenu(frmMain& w, const char* name)
{
    QAction* action = w.findChild<QAction*>(QString::fromLatin1(name));
    QVERIFY(action);
    action->trigger();
}

void clickTab(frmMain& w, int index)
{
    QTabBar* bar = TabStrip(&w);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void windowDesign();
    void designFontAsTheWholeListChooses();
    void oneFontForEveryControl();
    void messagesKeepPathsWhole_data();
    void messagesKeepPathsWhole();
    void messageBoxAnswers_data();
    void messageBoxAnswers();
    void captionsClearOfTheirBoxes_data();
    void captionsClearOfTheirBoxes();
    void pageSwitching_data();
    void pageSwitching();
    void pagesBuiltOnFirstNeed_data();
    void pagesBuiltOnFirstNeed();
    void saveWithoutGamePath();
    void firstAndSecondSave();
    void captionInCapitalsAsksAgain();
    void captionShowsPathLiterally();
    void cancelledSaveStillWritesFlag_data();
    void cancelledSaveStillWritesFlag();
    void failedWriteKeepsOldFile();
    void saveOnAFullDisk_data();
    void saveOnAFullDisk();
    void saveOnlyToAFile_data();
    void saveOnlyToAFile();
    void refusedValues_data();
    void refusedValues();
    void workedExampleThroughWindow();
    void toolbarAndMenuAgree();
    void exitClosesWindow();
    void toolbarIconsForEveryScreen();
    void overflowIconsAsTheStyleDrawsThem();
    void framesWholeAtFractionalScales_data();
    void framesWholeAtFractionalScales();
    void commandLine_data();
    void commandLine();
    void refusedCommandLine_data();
    void refusedCommandLine();
    void commandLineOpensAsOpenDoes_data();
    void commandLineOpensAsOpenDoes();
    void dropOnWindow_data();
    void dropOnWindow();
    void modFilesHaveTheirType();

private:
    QTemporaryDir m_dataHome;
};

void TestApp::initTestCase()
{
    // The type of mod files as the package declares it, seen by the MIME
    // database before anything asks it.
#ifndef Q_OS_WIN
    QVERIFY(QDir().mkpath(m_dataHome.filePath(QStringLiteral("mime/packages"))));
    QVERIFY(QFile::copy(QStringLiteral(ZARVIK_MIME_XML),
                        m_dataHome.filePath(QStringLiteral("mime/packages/zarvik-ml-utility.xml"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
#endif
}

void TestApp::windowDesign()
{
    TestWindow t;
    frmMain& w = *t.window;
    QCOMPARE(w.windowTitle(), Title);
    QCOMPARE(w.centralWidget()->size(), QSize(394, 329));
    QCOMPARE(TabStrip(&w)->count(), 4);
    QCOMPARE(TabStrip(&w)->tabText(2), QStringLiteral("Augmentations"));
    auto* txtName = Control<QLineEdit>(&w, u"txtName"_s);
    QCOMPARE(txtName->geometry(), QRect(96, 48, 241, 19));
    QCOMPARE(Control<QWidget>(&w, u"frmGeneral"_s)->geometry(), QRect(16, 56, 361, 257));
    auto* toolbar = Control<QToolBar>(&w, u"Toolbar1"_s);
    QVERIFY(!w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    for (const char* key : {"New", "Open", "Save", "Play", "Exit"}) {
        // The button shows the File menu's own action.
        auto* button = Control<QToolButton>(&w, QStringLiteral("Toolbar1_") + QLatin1String(key));
        QAction* action = button->defaultAction();
        QVERIFY(action);
        QCOMPARE(toolbar->widgetForAction(action), button);
        QVERIFY(w.findChild<QMenu*>(QStringLiteral("mnuFile"))->actions().contains(action));
        QCOMPARE(action->toolTip(), QString::fromLatin1(key));
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QCOMPARE(button->accessibleName(), QString::fromLatin1(key));
    }
    // Keyboard order follows the design: Mod Name, Starting Map, Splash Map ...
    auto* txtMap = Control<QLineEdit>(&w, u"txtMap"_s);
    auto* txtSplash = Control<QLineEdit>(&w, u"txtSplash"_s);
    QCOMPARE(txtName->nextInFocusChain(), txtMap);
    QCOMPARE(txtMap->nextInFocusChain(), txtSplash);
    QCOMPARE(txtSplash->nextInFocusChain(), Control<QCheckBox>(&w, u"chkAction"_s));
    // No entry has a shortcut or an access key but Play; the two menus have theirs.
    for (QAction* a : w.findChildren<QAction*>()) {
        if (a->objectName() == QLatin1String("mnuPlay"))
            continue;
        QVERIFY(a->shortcut().isEmpty());
        if (!a->menu())
            QVERIFY2(!a->text().contains(u'&'), qPrintable(a->text()));
    }
    QCOMPARE(w.findChild<QMenu*>(QStringLiteral("mnuFile"))->title(), QStringLiteral("&File"));
    QCOMPARE(w.findChild<QMenu*>(QStringLiteral("mnuHelp"))->title(), QStringLiteral("&Help"));

    // The File menu shares the toolbar's actions but not their pictures: it
    // is as a menu of captions alone, in the styles that keep room for
    // pictures too.
    auto* mnuFile = w.findChild<QMenu*>(QStringLiteral("mnuFile"));
    QMenu captions;
    for (const QAction* a : mnuFile->actions()) {
        if (a->isSeparator())
            captions.addSeparator();
        else
            captions.addAction(a->text())->setShortcut(a->shortcut());
    }
    for (const char* styleName : {"Windows", "Fusion"}) {
        std::unique_ptr<QStyle> style(QStyleFactory::create(QString::fromLatin1(styleName)));
        QVERIFY(style);
        mnuFile->setStyle(style.get());
        captions.setStyle(style.get());
        QCOMPARE(mnuFile->sizeHint(), captions.sizeHint());
        mnuFile->setStyle(nullptr);
        captions.setStyle(nullptr);
    }
}

void TestApp::designFontAsTheWholeListChooses()
{
    // The families the system lacks are left out of the list; the face Qt
    // chooses must be the one it chose from the whole list.
    QFont whole;
    whole.setFamilies({QStringLiteral("Segoe UI"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                       QStringLiteral("Helvetica")});
    whole.setPointSizeF(8);
    const QFont design = designFont();
    QCOMPARE(QFontInfo(design).family(), QFontInfo(whole).family());
    QCOMPARE(QFontInfo(design).pointSizeF(), QFontInfo(whole).pointSizeF());
    QCOMPARE(QFontMetrics(design).horizontalAdvance(QStringLiteral("Starting Credits:")),
             QFontMetrics(whole).horizontalAdvance(QStringLiteral("Starting Credits:")));
}

void TestApp::oneFontForEveryControl()
{
    // Platforms give menus, message boxes, lists and tooltips fonts of their
    // own (Windows its system fonts, which under Wine may even be a serif
    // face); the window shows the design's face and size in all of them.
    const ApplicationFontScope restore;
    QFont platform(QStringLiteral("Liberation Serif"));
    platform.setPointSizeF(11);
    for (const char* kind : {"QMenu", "QMenuBar", "QMessageBox", "QTipLabel", "QAbstractItemView", "QListView",
                             "QComboMenuItem", "QHeaderView", "QPushButton", "QCheckBox", "QToolButton", "QLabel"})
        QApplication::setFont(platform, kind);
    useDesignFont();

    TestWindow t;
    QMessageBox box(QMessageBox::Warning, Title, QStringLiteral("Text"), QMessageBox::Ok);
    QList<QWidget*> controls = t.window->findChildren<QWidget*>();
    controls << &box << box.findChildren<QWidget*>();
    const QFont design = designFont();
    for (QWidget* control : controls) {
        const QString name =
            QStringLiteral("%1 %2").arg(QString::fromLatin1(control->metaObject()->className()), control->objectName());
        QVERIFY2(control->font().families() == design.families(), qPrintable(name));
        QVERIFY2(control->font().pointSizeF() == design.pointSizeF(), qPrintable(name));
    }
    QCOMPARE(QToolTip::font(), design);
}

void TestApp::messagesKeepPathsWhole_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("width"); // the text whose width the lines may take

    const QString windows = QStringLiteral("C:\\Spiele\\Deus Ex \u00c4\\System\\Quenlar.ini");
    const QString written = QStringLiteral("The autostart setting could not be written to ");
    const QString reason = QStringLiteral(".\nThe file is read-only.");
    QTest::newRow("fits on the first line") << written << windows << reason << written + windows + reason;
    QTest::newRow("fits on a line of its own") << written << windows << reason << windows + QStringLiteral("..");
    QTest::newRow("drive and colon at a line's end") << QStringLiteral("The mod could not be saved to C:") << windows
                                                     << reason << QStringLiteral("The mod could not be saved to C:");
    QTest::newRow("longer than a line") << written << windows << reason << QStringLiteral("Deus Ex \u00c4\\System");
    QTest::newRow("folder detected") << QString() << QStringLiteral("D:\\Program Files (x86)\\Steam\\Deus Ex\\")
                                     << QStringLiteral(" was detected to be your Deus Ex directory. Is this correct?")
                                     << QStringLiteral("D:\\Program Files (x86)\\Steam\\");
    QTest::newRow("home folder") << QString() << QStringLiteral("/home/player/Games/Deus Ex GOTY/System/My Mod.int")
                                 << QStringLiteral(" could not be opened.\nIt is a folder, not a file.")
                                 << QStringLiteral("/home/player/Games/Deus Ex GOTY/Sys");
}

void TestApp::messagesKeepPathsWhole()
{
    QFETCH(QString, before);
    QFETCH(QString, path);
    QFETCH(QString, after);
    QFETCH(QString, width);
    const QFontMetrics metrics(designFont());
    const int pixels = metrics.horizontalAdvance(width);
    const QString marked = before + pathInMessage(path) + after;
    const QString plain = before + path + after;
    QCOMPARE(withoutPathMarks(marked), plain);

    const MessageLines laidOut = layOutMessage(marked, metrics, pixels);
    // The text is the message as written: nothing added, nothing lost, the
    // blank where a line breaks included.
    QCOMPARE(laidOut.text, plain);

    // Where each line ends in the text: never inside the path but right
    // after a separator, and not even there where the path fits on a line.
    const qsizetype pathStart = before.size();
    const qsizetype pathEnd = pathStart + path.size();
    const bool pathFits = metrics.horizontalAdvance(path) <= pixels;
    QStringList lines;
    qsizetype next = 0;
    for (qsizetype i = 0; i < laidOut.lines.size(); ++i) {
        const auto [start, length] = laidOut.lines[i];
        const QString line = laidOut.line(i);
        lines << line;
        // The lines follow each other, only blanks and line feeds between them.
        QVERIFY2(start >= next && plain.mid(next, start - next).trimmed().isEmpty(), qPrintable(line));
        next = start + length;
        const bool insidePath = next > pathStart && next < pathEnd;
        QVERIFY2(!insidePath || (!pathFits && (plain[next - 1] == u'\\' || plain[next - 1] == u'/')),
                 qPrintable(lines.join(u'|')));
        // A line runs past the width only where it cannot be broken.
        QVERIFY2(metrics.horizontalAdvance(line) <= pixels || !line.contains(u' '), qPrintable(line));
        QVERIFY2(!line.endsWith(u' '), qPrintable(line));
    }
    QVERIFY(plain.mid(next).trimmed().isEmpty());
    if (pathFits)
        QVERIFY2(lines.filter(path).size() == 1, qPrintable(lines.join(u'|')));

    // The box shows those lines, and its label, what a screen reader reads,
    // and what Ctrl+C copies hold the message as written.
    MessageBox box(marked, ModalInteraction::Icon::Exclamation, ModalInteraction::Buttons::Ok);
    QCOMPARE(box.label()->text(), plain);
    QCOMPARE(box.accessibleDescription(), plain);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    QVERIFY2(QGuiApplication::clipboard()->text().contains(u'\n' + plain + u'\n'),
             qPrintable(QGuiApplication::clipboard()->text()));
    QVERIFY(box.label()->width() <= 500);
    const QStringList shown = box.label()->shownLines();
    QCOMPARE(shown.join(QString()).remove(u' '), QString(plain).remove(u' ').remove(u'\n'));
}

void TestApp::messageBoxAnswers_data()
{
    QTest::addColumn<bool>("question");
    QTest::addColumn<QString>("action"); // a button's text, or a key
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true << "&Yes" << true;
    QTest::newRow("No") << true << "&No" << false;
    QTest::newRow("Enter takes Yes") << true << "Enter" << true;
    QTest::newRow("Escape is No") << true << "Escape" << false;
    QTest::newRow("OK") << false << "OK" << true;
    QTest::newRow("Escape closes OK") << false << "Escape" << true;
}

void TestApp::messageBoxAnswers()
{
    QFETCH(bool, question);
    QFETCH(QString, action);
    QFETCH(bool, yes);
    MessageBox box(QStringLiteral("Is this correct?"), ModalInteraction::Icon::Question,
                   question ? ModalInteraction::Buttons::YesNo : ModalInteraction::Buttons::Ok);
    QTimer::singleShot(0, &box, [&] {
        if (action == QLatin1String("Enter") || action == QLatin1String("Escape")) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &box,
                            action == QLatin1String("Enter") ? Qt::Key_Return : Qt::Key_Escape);
            return;
        }
        for (QPushButton* button : box.findChildren<QPushButton*>()) {
            if (button->text() == action)
                button->click();
        }
    });
    box.exec();
    QVERIFY(!box.isVisible());
    QCOMPARE(box.answeredYes(), yes);
}

void TestApp::captionsClearOfTheirBoxes_data()
{
    QTest::addColumn<QFont>("font");
    QTest::newRow("design face") << designFont();
    QFont larger = designFont();
    larger.setPointSizeF(9.5);
    QTest::newRow("larger text") << larger;
}

void TestApp::captionsClearOfTheirBoxes()
{
    // Every caption shows its whole text, which ends clear of the box it
    // names (on its row) or of its page's edge: drawn narrower where the
    // design's room is too small for the face.
    QFETCH(QFont, font);
    const ApplicationFontScope restore;
    QApplication::setFont(font);
    TestWindow t;
    frmMain& w = *t.window;
    int captions = 0;
    for (const char* pageName : {"frmGeneral", "frmInventory", "frmAugmentations", "frmSkills"}) {
        const QWidget* page = Control<QWidget>(&w, QString::fromLatin1(pageName));
        for (QWidget* caption : page->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(caption);
            const bool isCaption = (label && !label->text().isEmpty()) || qobject_cast<QCheckBox*>(caption);
            if (!isCaption || caption->parentWidget() != page)
                continue;
            ++captions;
            const QImage image = caption->grab().toImage();
            int inkRight = -1;
            for (int x = 0; x < image.width(); ++x) {
                for (int y = 0; y < image.height(); ++y) {
                    const QRgb pixel = image.pixel(x, y);
                    if (qAlpha(pixel) > 0 && qGray(pixel) < 128)
                        inkRight = x;
                }
            }
            const QString name = caption->objectName();
            QVERIFY2(inkRight >= 0, qPrintable(name));
            QVERIFY2(inkRight < image.width() - 1, qPrintable(name + QStringLiteral(" is cut off")));
            QWidget* buddy = label ? label->buddy() : nullptr;
            const bool buddyOnRow = buddy && buddy->x() > caption->x() && buddy->y() <= caption->geometry().bottom() &&
                                    buddy->geometry().bottom() >= caption->y();
            const int limit = buddyOnRow ? buddy->x() : page->width();
            QVERIFY2(
                caption->x() + inkRight + 3 <= limit,
                qPrintable(
                    QStringLiteral("%1 ends at %2, its box at %3").arg(name).arg(caption->x() + inkRight).arg(limit)));
        }
    }
    QCOMPARE(captions, 23);
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
    auto* txtName = Control<QLineEdit>(&w, u"txtName"_s);
    txtName->setText(QStringLiteral("Kept"));
    QList<QWidget*> pages;
    for (const char* name : {"frmGeneral", "frmInventory", "frmAugmentations", "frmSkills"})
        pages << Control<QWidget>(&w, QString::fromLatin1(name));
    QCOMPARE(pages[0]->isVisible(), true);
    for (int tab : tabs) {
        clickTab(w, tab);
        for (int p = 0; p < pages.size(); ++p)
            QCOMPARE(pages[p]->isVisible(), p == tab);
    }
    QCOMPARE(txtName->text(), QStringLiteral("Kept"));
}

void TestApp::pagesBuiltOnFirstNeed_data()
{
    QTest::addColumn<QString>("need");
    QTest::newRow("a tab chosen") << "tab";
    QTest::newRow("a mod opened") << "open";
    QTest::newRow("a new mod") << "new";
}

void TestApp::pagesBuiltOnFirstNeed()
{
    // The test window builds its pages straight away; this one as the
    // program does, when they are first needed.
    QFETCH(QString, need);
    TestWindow t;
    t.window->Form_Load();
    frmMain w(t.ui, *t.settings);
    w.Form_Load();
    const auto built = [&w] {
        return QList<bool>{w.findChild<InventoryPage*>() != nullptr, w.findChild<AugmentationsPage*>() != nullptr,
                           w.findChild<SkillsPage*>() != nullptr};
    };
    const QList<bool> none(3, false), all(3, true);
    QCOMPARE(built(), none);

    // Unbuilt, they stand for a new mod, as they hold one once built, and
    // reading the mod builds nothing.
    QCOMPARE(FirstDifference(w.document().mod(), ModDefinition()), QString());
    QCOMPARE(FirstDifference(w.document().mod(), t.window->document().mod()), QString());
    QCOMPARE(built(), none);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Mod.int"));
    if (need == QLatin1String("tab")) {
        TabStrip(&w)->setCurrentIndex(2);
        QCOMPARE(built(), all);
        QVERIFY(Control<AugmentationsPage>(&w, u"frmAugmentations"_s)->isVisible());
    } else if (need == QLatin1String("open")) {
        QVERIFY(writeTextFile(file, composeModFile(WorkedExampleSample())).ok());
        w.openModFile(file);
        t.window->openModFile(file);
        QCOMPARE(rowsOf(Control<QListWidget>(&w, u"lstInventory"_s)),
                 rowsOf(Control<QListWidget>(t.window.get(), u"lstInventory"_s)));
        QCOMPARE(Control<QLineEdit>(&w, "txtLevel", 9)->text(), QStringLiteral("4"));
        QCOMPARE(w.document().mod().augSlots, t.window->document().mod().augSlots);
    } else {
        w.NewMod();
    }

    // Built late, the pages are what they are when built at once: the same
    // controls, the item list filled, and every control in the design's
    // keyboard order.
    QCOMPARE(built(), all);
    QCOMPARE(Control<QListWidget>(&w, u"lstItems"_s)->count(),
             Control<QListWidget>(t.window.get(), u"lstItems"_s)->count());
    const auto keyboardOrder = [](QWidget* window) {
        QList<int> order;
        for (QWidget* next = window->nextInFocusChain(); next != window; next = next->nextInFocusChain()) {
            if (next->property(TabIndexProperty).isValid() && next->focusPolicy() != Qt::NoFocus)
                order << next->property(TabIndexProperty).toInt();
        }
        return order;
    };
    const QList<int> order = keyboardOrder(&w);
    QVERIFY(std::is_sorted(order.cbegin(), order.cend()));
    QCOMPARE(order, keyboardOrder(t.window.get()));
    for (const QWidget* control : w.centralWidget()->findChildren<QWidget*>()) {
        if (control->objectName().isEmpty())
            continue;
        const auto* atOnce = t.window->centralWidget()->findChild<QWidget*>(control->objectName());
        QVERIFY2(atOnce, qPrintable(control->objectName()));
        QCOMPARE(control->geometry(), atOnce->geometry());
    }
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
    TestWindow t(game);
    frmMain& w = *t.window;
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
    Control<QLineEdit>(&w, u"txtName"_s)->setText(QStringLiteral("Second"));
    triggerMenu(w, "mnuSave");
    QCOMPARE(t.ui.ofKind(Kind::SaveFile).size(), 1);
    QVERIFY(game.read(QStringLiteral("System/First.int")).contains("Name=\"Second\""));
    QCOMPARE(w.windowTitle(), Title + QStringLiteral(" - ") + target);
    QVERIFY(t.ui.messages().isEmpty());
}

void TestApp::captionInCapitalsAsksAgain()
{
    GameFixture game;
    TestWindow t(game);
    t.ui.dialogAnswers = {game.file(QStringLiteral("System/Caps.INT")), game.file(QStringLiteral("System/Caps.INT"))};
    t.window->SaveMod();
    t.window->SaveMod();
    QCOMPARE(t.ui.ofKind(Kind::SaveFile).size(), 2);
    QVERIFY(t.window->windowTitle().endsWith(QStringLiteral("Caps.INT")));
}

void TestApp::captionShowsPathLiterally()
{
    // Qt would take "[*]" for its modified mark and show the path without it.
#ifdef Q_OS_WIN
    QSKIP("Windows file names cannot hold \"*\", so no path shows \"[*]\".");
#endif
    GameFixture game;
    TestWindow t;
    frmMain& w = *t.window;
    w.winId(); // the title the window system shows is set from here on
    Control<QLineEdit>(&w, u"txtPath"_s)->setText(game.gamePath());
    const QString target = game.file(QStringLiteral("System/[*] Mod [*][*].int"));
    t.ui.dialogAnswers = {target};
    w.SaveMod();
    QCOMPARE(w.windowHandle()->title(), Title + QStringLiteral(" - ") + target);

    // The next Save still finds the file in the caption.
    Control<QLineEdit>(&w, u"txtName"_s)->setText(QStringLiteral("Second"));
    w.SaveMod();
    QCOMPARE(t.ui.ofKind(Kind::SaveFile).size(), 1);
    QVERIFY(game.read(QStringLiteral("System/[*] Mod [*][*].int")).contains("Name=\"Second\""));
    QVERIFY(t.ui.messages().isEmpty());
}

void TestApp::cancelledSaveStillWritesFlag_data()
{
    // The reason a save dialog the system could not show gives, or none for
    // a dialog the user cancelled.
    QTest::addColumn<QString>("failure");
    QTest::newRow("cancelled") << QString();
    QTest::newRow("the dialog could not be shown")
        << QStringLiteral("The save dialog could not be shown.\nClass not registered.");
}

void TestApp::cancelledSaveStillWritesFlag()
{
    QFETCH(QString, failure);
    GameFixture::Options options;
    options.quenlarIniText = "[Other]\r\nKey=1\r\n[Quenlar.MLGameInfo]\r\nbAutoStart=False\r\n";
    GameFixture game(options);
    TestWindow t(game);
    if (!failure.isEmpty())
        t.ui.dialogAnswers = {Failure{failure}};
    Control<QCheckBox>(t.window.get(), u"chkAutoStart"_s)->setChecked(true);
    QVERIFY(!t.window->SaveMod()); // with no answer scripted, the dialog is cancelled
    QCOMPARE(game.read(QStringLiteral("System/Quenlar.ini")), QByteArray("[Quenlar.MLGameInfo]\r\nbAutoStart = True"));
    QCOMPARE(QDir(game.file(QStringLiteral("System"))).entryList({QStringLiteral("*.int")}, QDir::Files).size(), 0);
    QCOMPARE(t.window->windowTitle(), Title);
    // A dialog that failed is no cancel: the user is told why nothing was saved.
    QCOMPARE(t.ui.messages(), failure.isEmpty() ? QStringList() : QStringList{failure});
    if (!failure.isEmpty())
        QCOMPARE(t.ui.ofKind(Kind::Message).constFirst().icon, Icon::Exclamation);
}

void TestApp::failedWriteKeepsOldFile()
{
    GameFixture game;
    TestWindow t(game);
    frmMain& w = *t.window;
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

void TestApp::saveOnAFullDisk_data()
{
    QTest::addColumn<bool>("smallDisk"); // else a file-size limit on the tests
    QTest::addColumn<bool>("opened");    // the mod was opened from its file, else Save asks for one
    QTest::newRow("file-size limit, new file") << false << false;
    QTest::newRow("file-size limit, opened file") << false << true;
    QTest::newRow("small disk, new file") << true << false;
    QTest::newRow("small disk, opened file") << true << true;
}

void TestApp::saveOnAFullDisk()
{
    QFETCH(bool, smallDisk);
    QFETCH(bool, opened);
    std::optional<SmallDisk> disk;
    if (const QString whyNot = ReadyFullDisk(smallDisk, disk); !whyNot.isEmpty())
        QSKIP(qPrintable(whyNot));
    GameFixture::Options options;
    options.under = disk ? disk->path() : QString();
    GameFixture game(options);
    const QString mod = game.file(QStringLiteral("System/Mod.int"));
    QVERIFY(writeTextFile(mod, composeModFile(WorkedExampleSample())).ok());
    TestWindow t(game);
    frmMain& w = *t.window;
    const QString target = opened ? mod : game.file(QStringLiteral("System/New.int"));
    if (opened)
        w.openModFile(mod);
    else
        t.ui.dialogAnswers = {target};
    const QString caption = w.windowTitle();
    Control<QLineEdit>(&w, u"txtName"_s)->setText(QStringLiteral("Changed"));
    Control<QCheckBox>(&w, u"chkAutoStart"_s)->setChecked(true);
    QVERIFY(t.ui.messages().isEmpty());
    const QMap<QString, QByteArray> before = FolderSnapshot(game.gamePath());

    if (disk)
        QVERIFY(disk->fill(0));
    {
        std::optional<FileSizeLimit> limit;
        if (!disk)
            limit.emplace(0);
        clickToolbar(w, QStringLiteral("Save"));
    }
    const QString full = QStringLiteral("The disk is full.");
    QCOMPARE(t.ui.messages(), (QStringList{QStringLiteral("The autostart setting could not be written to %1.\n%2")
                                               .arg(game.file(QStringLiteral("System/Quenlar.ini")), full),
                                           QStringLiteral("The mod could not be saved to %1.\n%2").arg(target, full)}));
    const QMap<QString, QByteArray> after = FolderSnapshot(game.gamePath());
    QVERIFY2(after == before, qPrintable(SnapshotDifference(before, after)));
    // The caption names no file that the mod did not reach.
    QCOMPARE(w.windowTitle(), caption);
    QCOMPARE(caption, opened ? Title + QStringLiteral(" - ") + mod : Title);
}

void TestApp::saveOnlyToAFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("saved");
    QTest::newRow("a pipe") << "pipe" << false;
    QTest::newRow("a link to a pipe") << "link to a pipe" << false;
    QTest::newRow("a device") << "device node" << false;
    QTest::newRow("a link to a device") << "link to a device node" << false;
    QTest::newRow("a link to a file") << "link to a file" << true;
}

void TestApp::saveOnlyToAFile()
{
#ifndef Q_OS_UNIX
    QSKIP("Unix only: pipes, devices and links to them are made with Unix calls.");
#endif
    QFETCH(QString, kind);
    QFETCH(bool, saved);
    if (kind.contains(QLatin1String("device")) && !RunsAsAdministrator())
        QSKIP("Only an administrator can make a device node.");
    GameFixture game;
    const QString target = game.file(QStringLiteral("System/Target.int"));
    const QString real = game.file(QStringLiteral("Real.int"));
    if (kind == QLatin1String("link to a file")) {
        game.write(QStringLiteral("Real.int"), NewModFile);
        QVERIFY(QFile::link(real, target));
    } else {
        MakeSpecialFile(target, kind);
        if (QTest::currentTestFailed())
            return;
    }
    TestWindow t(game);
    frmMain& w = *t.window;
    Control<QLineEdit>(&w, u"txtName"_s)->setText(QStringLiteral("Saved"));
    t.ui.dialogAnswers = {target};
    const QMap<QString, QByteArray> before = FolderSnapshot(game.gamePath());

    w.SaveMod();
    QMap<QString, QByteArray> after = FolderSnapshot(game.gamePath());
    if (saved) {
        // The file the link points at is replaced; the link stays.
        QVERIFY(t.ui.messages().isEmpty());
        QVERIFY(QFileInfo(target).isSymLink());
        QVERIFY(game.read(QStringLiteral("Real.int")).contains("Name=\"Saved\""));
        QCOMPARE(w.windowTitle(), Title + QStringLiteral(" - ") + target);
        after.remove(QStringLiteral("Real.int"));
    } else {
        QCOMPARE(t.ui.messages(),
                 QStringList{QStringLiteral("The mod could not be saved to %1.\nIt is a device, pipe or socket, not a "
                                            "file.")
                                 .arg(target)});
        QCOMPARE(w.windowTitle(), Title);
    }
    // Save writes the flag file whatever becomes of the mod.
    QMap<QString, QByteArray> expected = before;
    expected.remove(QStringLiteral("Real.int"));
    expected[QStringLiteral("System/Quenlar.ini")] = "bytes [Quenlar.MLGameInfo]\r\nbAutoStart = False";
    QVERIFY2(after == expected, qPrintable(SnapshotDifference(expected, after)));
}

void TestApp::refusedValues_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("named");
    QTest::newRow("a key in the name") << "txtName"
                                       << "Map=Test"
                                       << "Mod Name";
    QTest::newRow("a key in the player class") << "txtPlayer"
                                               << "P.Credits=1"
                                               << "PlayerClass";
    QTest::newRow("quote in the name") << "txtName"
                                       << "A\"B"
                                       << "Mod Name";
    QTest::newRow("unencodable character") << "txtPlayer" << QStringLiteral("Pkg.") + QChar(0x0436) << "PlayerClass";
}

void TestApp::refusedValues()
{
    QFETCH(QString, control);
    QFETCH(QString, value);
    QFETCH(QString, named);
    GameFixture game;
    const QByteArray flagBefore = game.read(QStringLiteral("System/Quenlar.ini"));
    TestWindow t(game);
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
    TestWindow t(game);
    frmMain& w = *t.window;
    // The inventory and the slots as a file brings them; the rest typed.
    ModDefinition opened;
    opened.inventory = {QStringLiteral("MedKit(2)"), QStringLiteral("WeaponPistol"),
                        QStringLiteral("MyPackage.MyItem")};
    opened.augSlots[3] = QStringLiteral("AugSpeed");
    opened.augLevels[3] = 1;
    opened.augSlots[4] = QStringLiteral("AugHealing");
    opened.augSlots[7] = QStringLiteral("AugCloak");
    opened.augLevels[7] = 3;
    w.document().setMod(opened);
    Control<QLineEdit>(&w, u"txtName"_s)->setText(QStringLiteral("Test Mod"));
    Control<QCheckBox>(&w, u"chkAction"_s)->setChecked(true);
    Control<QLineEdit>(&w, u"txtPlayer"_s)->setText(QStringLiteral("ModPkg.ModPlayer"));
    Control<QLineEdit>(&w, u"txtCredits"_s)->setText(QStringLiteral("500"));
    Control<QLineEdit>(&w, u"txtSkill"_s)->setText(QStringLiteral("5000"));
    Control<QLineEdit>(&w, "txtLevel", 1)->setText(QStringLiteral("2"));
    Control<QLineEdit>(&w, "txtLevel", 6)->setText(QStringLiteral("3"));
    Control<QLineEdit>(&w, "txtLevel", 9)->setText(QStringLiteral("4"));
    Control<QLineEdit>(&w, u"txtSplash"_s)->setText(QStringLiteral("ModSplash.dx"));
    Control<QLineEdit>(&w, u"txtMap"_s)->setText(QStringLiteral("ModMap.dx"));
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
    TestWindow byToolbar(game);
    TestWindow byMenu(game);
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
        Control<QLineEdit>(t.window.get(), u"txtName"_s)->setText(QStringLiteral("Unsaved"));
        if (viaToolbar)
            clickToolbar(*t.window, QStringLiteral("Exit"));
        else
            triggerMenu(*t.window, "mnuExit");
        QVERIFY(!t.window->isVisible());
        QVERIFY(t.ui.asked.isEmpty());
    }
}

void TestApp::toolbarIconsForEveryScreen()
{
    // Each icon reads its drawings as screens ask for them, and shows what
    // an icon holding all three shows: in every mode the toolbar uses, at
    // each drawing's ratio and between them, whatever was asked before.
    TestWindow t;
    for (const char* key : {"New", "Open", "Save", "Play", "Exit"}) {
        const QAction* action =
            Control<QToolButton>(t.window.get(), QStringLiteral("Toolbar1_") + QLatin1String(key))->defaultAction();
        QVERIFY(action);
        const QString name = QStringLiteral(":/icons/") + QString::fromLatin1(key).toLower();
        QIcon all;
        for (int scale = 1; scale <= 3; ++scale)
            all.addPixmap(assetPixmap(name, QSize(16, 16), scale));
        for (qreal ratio : {1.0, 2.0, 1.5, 3.0, 1.0, 1.25}) {
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
                const QPixmap shown = action->icon().pixmap(QSize(16, 16), ratio, mode);
                const QPixmap expected = all.pixmap(QSize(16, 16), ratio, mode);
                QCOMPARE(shown.devicePixelRatio(), expected.devicePixelRatio());
                QCOMPARE(shown.toImage(), expected.toImage());
            }
        }
        QCOMPARE(action->icon().availableSizes(), QList<QSize>{QSize(16, 16)});
    }
}

void TestApp::commandLine_data()
{
    using Action = CommandLine::Action;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("file"); // relative to the current folder
    QTest::newRow("nothing") << QStringList{} << Action::Run << QString();
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << Action::ShowHelp << QString();
    QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << Action::ShowHelp << QString();
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << Action::ShowVersion << QString();
    // Before the window system takes its options out, --version must still be seen.
    QTest::newRow("version after a Qt option")
        << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("-v")}
        << Action::ShowVersion << QString();
    QTest::newRow("a file") << QStringList{QStringLiteral("Mods/My Mod.int")} << Action::Run
                            << QStringLiteral("Mods/My Mod.int");
    // Whether the file is there is for Open to say, in a message box.
    QTest::newRow("a missing file") << QStringList{QStringLiteral("missing.int")} << Action::Run
                                    << QStringLiteral("missing.int");
    QTest::newRow("a file after --") << QStringList{QStringLiteral("--"), QStringLiteral("-dash.int")} << Action::Run
                                     << QStringLiteral("-dash.int");
    // Qt's own options are left to Qt, in every form it takes them.
    QTest::newRow("Qt's options and a file")
        << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--style=fusion"),
                       QStringLiteral("-reverse"), QStringLiteral("a.int")}
        << Action::Run << QStringLiteral("a.int");
    QTest::newRow("help among mistakes") << QStringList{QStringLiteral("--bogus"), QStringLiteral("-help")}
                                         << Action::ShowHelp << QString();
}

void TestApp::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Action, action);
    QFETCH(QString, file);
    // As the program reads its command line before the window system starts.
    const Result<CommandLine> parsed =
        parseCommandLine(withoutToolkitOptions(QStringList{QStringLiteral("zarvik-ml-utility")} + arguments));
    QVERIFY2(parsed.ok(), qPrintable(parsed.error()));
    QCOMPARE(parsed.value().action, action);
    QCOMPARE(parsed.value().file, file.isEmpty() ? QString() : QDir::current().absoluteFilePath(file));
}

void TestApp::refusedCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error"); // a part of the reason given
    QTest::newRow("two files") << QStringList{QStringLiteral("a.int"), QStringLiteral("b.int")}
                               << QStringLiteral("Only one FILE can be opened at a time.");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--bogus"), QStringLiteral("a.int")}
                                    << QStringLiteral("bogus");
    QTest::newRow("Qt's option without its value")
        << QStringList{QStringLiteral("a.int"), QStringLiteral("-style")} << QStringLiteral("-style");
    // The name of a file, not help asked for with its letter h.
    QTest::newRow("a file that looks like an option")
        << QStringList{QStringLiteral("-dash.int")} << QStringLiteral("-- -dash.int");
}

void TestApp::refusedCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const Result<CommandLine> parsed =
        parseCommandLine(withoutToolkitOptions(QStringList{QStringLiteral("zarvik-ml-utility")} + arguments));
    QVERIFY(!parsed.ok());
    QVERIFY2(parsed.error().contains(error), qPrintable(parsed.error()));
}

void TestApp::commandLineOpensAsOpenDoes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("opens");
    QTest::newRow("a mod") << QStringLiteral("Mod.int") << NewModFile << true;
    QTest::newRow("capitals") << QStringLiteral("MOD.INT") << NewModFile << true;
    QTest::newRow("not a mod") << QStringLiteral("DeusEx.int")
                               << QByteArray("[Engine.Engine]\r\nGameRenderDevice=D3DDrv.D3DRenderDevice") << false;
    QTest::newRow("missing") << QStringLiteral("Missing.int") << QByteArray() << false;
}

// The file named on the command line opens after the start-up sequence
// exactly as the Open command opens the file chosen in its dialog: the same
// fields, the same messages, the same caption.
void TestApp::commandLineOpensAsOpenDoes()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, contents);
    QFETCH(bool, opens);
    GameFixture game;
    const QString relative = QStringLiteral("System/") + name;
    if (!contents.isEmpty())
        game.write(relative, contents);

    // Started from the game's folder with a name relative to it.
    const QString startFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(game.gamePath()));
    const Result<CommandLine> parsed = parseCommandLine({QStringLiteral("zarvik-ml-utility"), relative});
    QVERIFY(QDir::setCurrent(startFolder));
    QVERIFY(parsed.ok());
    const CommandLine& commandLine = parsed.value();
    QCOMPARE(commandLine.action, CommandLine::Action::Run);

    TestWindow started;
    started.settings->setValue(QStringLiteral("DXPath"), game.gamePath());
    started.window->Form_Load();
    Control<QLineEdit>(started.window.get(), u"txtName"_s)->setText(QStringLiteral("Shown before"));
    started.ui.clear();
    started.window->openModFile(commandLine.file);

    TestWindow opened(game);
    Control<QLineEdit>(opened.window.get(), u"txtName"_s)->setText(QStringLiteral("Shown before"));
    opened.ui.dialogAnswers = {game.file(relative)};
    opened.window->OpenMod();

    QCOMPARE(started.window->windowTitle(), opened.window->windowTitle());
    QCOMPARE(Control<QLineEdit>(started.window.get(), u"txtName"_s)->text(),
             Control<QLineEdit>(opened.window.get(), u"txtName"_s)->text());
    const auto startedMessages = started.ui.ofKind(Kind::Message);
    const auto openedMessages = opened.ui.ofKind(Kind::Message);
    QCOMPARE(startedMessages.size(), openedMessages.size());
    for (qsizetype i = 0; i < startedMessages.size(); ++i) {
        QCOMPARE(startedMessages[i].text, openedMessages[i].text);
        QCOMPARE(startedMessages[i].icon, openedMessages[i].icon);
    }
    // A file that opens is named in full; one that does not leaves the window as it was.
    QCOMPARE(started.window->windowTitle(),
             opens ? Title + QStringLiteral(" - ") + QDir::toNativeSeparators(game.file(relative)) : Title);
    QCOMPARE(Control<QLineEdit>(started.window.get(), u"txtName"_s)->text(),
             opens ? QString() : QStringLiteral("Shown before"));
    QCOMPARE(startedMessages.isEmpty(), opens);
}

void TestApp::dropOnWindow_data()
{
    QTest::addColumn<QStringList>("files"); // names in the game's System folder, or URLs
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("taken");
    QTest::newRow("a mod on the window") << QStringList{QStringLiteral("Mod.int")} << QStringLiteral("frmMain") << true;
    QTest::newRow("a mod on a text box") << QStringList{QStringLiteral("MOD.INT")} << QStringLiteral("txtName") << true;
    QTest::newRow("a mod on a page's text box")
        << QStringList{QStringLiteral("Mod.int")} << QStringLiteral("txtSkill") << true;
    QTest::newRow("two mods") << QStringList{QStringLiteral("Mod.int"), QStringLiteral("MOD.INT")}
                              << QStringLiteral("frmMain") << false;
    QTest::newRow("another file") << QStringList{QStringLiteral("DeusEx.ini")} << QStringLiteral("frmMain") << false;
    QTest::newRow("another file on a text box")
        << QStringList{QStringLiteral("DeusEx.ini")} << QStringLiteral("txtMap") << false;
    QTest::newRow("a web address") << QStringList{QStringLiteral("https://www.orvane.example/Mod.int")}
                                   << QStringLiteral("frmMain") << false;
    // Refused by the cursor, not by a message after the drop.
    QTest::newRow("a folder named like a mod")
        << QStringList{QStringLiteral("Folder.int")} << QStringLiteral("frmMain") << false;
#ifdef Q_OS_UNIX
    QTest::newRow("a pipe named like a mod")
        << QStringList{QStringLiteral("Pipe.int")} << QStringLiteral("txtName") << false;
#endif
}

void TestApp::dropOnWindow()
{
    QFETCH(QStringList, files);
    QFETCH(QString, target);
    QFETCH(bool, taken);
    GameFixture game;
    game.write(QStringLiteral("System/Mod.int"), NewModFile);
    game.write(QStringLiteral("System/MOD.INT"), NewModFile);
    MakeSpecialFile(game.file(QStringLiteral("System/Folder.int")), QStringLiteral("folder"));
#ifdef Q_OS_UNIX
    MakeSpecialFile(game.file(QStringLiteral("System/Pipe.int")), QStringLiteral("pipe"));
#endif
    if (QTest::currentTestFailed())
        return;
    TestWindow t;
    frmMain& w = *t.window;
    w.show();
    Control<QLineEdit>(&w, u"txtName"_s)->setText(QStringLiteral("Shown before"));
    QWidget* widget = target == QLatin1String("frmMain") ? &w : w.findChild<QWidget*>(target);
    QVERIFY(widget);

    QMimeData data;
    QList<QUrl> urls;
    for (const QString& file : files)
        urls << (file.contains(u':') ? QUrl(file) : QUrl::fromLocalFile(game.file(QStringLiteral("System/") + file)));
    data.setUrls(urls);
    // File managers give the paths as text too, which a text box would paste.
    QStringList paths;
    for (const QUrl& url : urls)
        paths << url.toString();
    data.setText(paths.join(u'\n'));
    // File managers offer to move as well; the file must only ever be copied.
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    const QPoint at = widget->rect().center();

    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    QCOMPARE(enter.isAccepted(), taken);
    if (!taken)
        return;
    QCOMPARE(enter.dropAction(), Qt::CopyAction);
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QVERIFY(move.isAccepted());

    QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(drop.dropAction(), Qt::CopyAction);
    QTRY_COMPARE(w.windowTitle(), Title + QStringLiteral(" - ") +
                                      QDir::toNativeSeparators(game.file(QStringLiteral("System/") + files.first())));
    // Opened, not pasted as text.
    QCOMPARE(Control<QLineEdit>(&w, u"txtName"_s)->text(), QString());
    QVERIFY(t.ui.messages().isEmpty());
}

// A saved mod is known by its contents, and the game's own .int files (its
// texts for each language) are not taken for mods, so the file manager does
// not offer to open them here.
void TestApp::modFilesHaveTheirType()
{
#ifdef Q_OS_WIN
    QSKIP("Linux only: the type is declared to the desktop's shared MIME database.");
#endif
    GameFixture game;
    game.write(QStringLiteral("System/Saved.int"), composeModFile(WorkedExampleSample()).toLatin1());
    game.write(QStringLiteral("System/DeusEx.int"),
               "[Public]\r\nObject=(Name=DeusEx.DeusExGameInfo,Class=Class,MetaClass=Engine.GameInfo)\r\n"
               "[DeusExGameInfo]\r\nGameName=\"Deus Ex\"\r\n");
    const QMimeDatabase types;
    QCOMPARE(types.mimeTypeForFile(game.file(QStringLiteral("System/Saved.int"))).name(),
             QStringLiteral("application/x-orvane-mod"));
    QCOMPARE(types.mimeTypeForFile(game.file(QStringLiteral("System/DeusEx.int"))).name(),
             QStringLiteral("text/plain"));
    QVERIFY(types.mimeTypeForName(QStringLiteral("application/x-orvane-mod")).inherits(QStringLiteral("text/plain")));
}

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

void TestApp::framesWholeAtFractionalScales_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("125 %") << 1.25;
    QTest::newRow("150 %") << 1.5;
    QTest::newRow("175 %") << 1.75;
}

void TestApp::framesWholeAtFractionalScales()
{
    // A text box's and a list's frame, wherever it starts between device
    // pixels, covers the device pixels of its control with each side's two
    // lines as they are at 100 %. (The classic Windows drawing, with its
    // two-line sunken borders, shows what goes missing.)
    QFETCH(qreal, ratio);
    AppStyle style(QStyleFactory::create(QStringLiteral("Windows")));
    QLineEdit edit;
    const std::pair<QStyle::PrimitiveElement, QSize> frames[] = {{QStyle::PE_PanelLineEdit, {17, 19}},
                                                                 {QStyle::PE_Frame, {50, 60}}};
    for (const auto& [element, size] : frames) {
        QStyleOptionFrame option;
        option.initFrom(&edit);
        option.rect = QRect(QPoint(0, 0), size);
        option.state |= QStyle::State_Sunken;
        option.lineWidth = 2;
        QImage reference(size, QImage::Format_RGB32);
        reference.fill(Qt::white);
        {
            QPainter painter(&reference);
            style.drawPrimitive(element, &option, &painter, &edit);
        }
        for (int offset = 0; offset < 4; ++offset) {
            QImage image((QSizeF(size + QSize(offset + 2, offset + 2)) * ratio).toSize(), QImage::Format_RGB32);
            image.fill(Qt::white);
            image.setDevicePixelRatio(ratio);
            {
                QPainter painter(&image);
                painter.translate(offset, offset);
                style.drawPrimitive(element, &option, &painter, &edit);
            }
            const QRect owned(
                QPoint(qRound(offset * ratio), qRound(offset * ratio)),
                QPoint(qRound((offset + size.width()) * ratio) - 1, qRound((offset + size.height()) * ratio) - 1));
            const QPoint middle = owned.center();
            const QPoint referenceMiddle = reference.rect().center();
            for (int line = 0; line < 2; ++line) {
                const QString where = QStringLiteral("element %1 at %2, line %3").arg(element).arg(offset).arg(line);
                const int last = reference.width() - 1 - line;
                const int bottom = reference.height() - 1 - line;
                QVERIFY2(image.pixel(owned.left() + line, middle.y()) == reference.pixel(line, referenceMiddle.y()),
                         qPrintable(where + QStringLiteral(", left")));
                QVERIFY2(image.pixel(owned.right() - line, middle.y()) == reference.pixel(last, referenceMiddle.y()),
                         qPrintable(where + QStringLiteral(", right")));
                QVERIFY2(image.pixel(middle.x(), owned.top() + line) == reference.pixel(referenceMiddle.x(), line),
                         qPrintable(where + QStringLiteral(", top")));
                QVERIFY2(image.pixel(middle.x(), owned.bottom() - line) == reference.pixel(referenceMiddle.x(), bottom),
                         qPrintable(where + QStringLiteral(", bottom")));
            }
        }
    }
}

QTEST_MAIN(TestApp)
#include "test_app.moc"

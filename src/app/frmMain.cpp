// The main window itself: its frame, menus, toolbar and tab strip, and the
// window-level commands (page switching, Exit, Help, About).

#include "frmMain.h"

#include "ModFileDrop.h"
#include "about/frmAbout.h"
#include "augmentations/AugmentationsPage.h"
#include "document/ModDocument.h"
#include "game/HelpDocument.h"
#include "general/GeneralPage.h"
#include "inventory/InventoryPage.h"
#include "skills/SkillsPage.h"
#include "widgets/AssetPictures.h"
#include "widgets/Captions.h"
#include "widgets/Layout.h"
#include "widgets/LostFocusChecks.h"
#include "widgets/ModalInteraction.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyleOptionMenuItem>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QUrl>

#include <algorithm>

namespace {

const QString CaptionPrefix = QString::fromLatin1(ApplicationTitle) + QStringLiteral(" - ");

// Qt takes "[*]" in a window title for the place of its modified mark and
// shows "[*][*]" as one literal "[*]", so a path that holds it is doubled.
const QString ModifiedMark = QStringLiteral("[*]");
const QString LiteralModifiedMark = QStringLiteral("[*][*]");

// The window's own controls; the General page's are in its own file, the
// other pages build theirs. The four pages share one rectangle on top of the
// tab strip.
namespace Design {
constexpr int ClientWidth = 5910; // the client area, below the menu bar
constexpr int ClientHeight = 4935;
constexpr ControlDesign Line1{"Line1", 0, 0, 6000, 15};
constexpr ControlDesign Toolbar1{"Toolbar1", -15, 15, 6105, 360};
constexpr ControlDesign TabStrip1{"TabStrip1", 120, 480, 5655, 4335, 0};
constexpr ControlDesign frmGeneral{"frmGeneral", 240, 840, 5415, 3855, 1};
constexpr ControlDesign frmInventory{"frmInventory", 240, 840, 5415, 3855, 14};
constexpr ControlDesign frmAugmentations{"frmAugmentations", 240, 840, 5415, 3855, 23};
constexpr ControlDesign frmSkills{"frmSkills", 240, 840, 5415, 3855, 43};
} // namespace Design

// A page that builds its own controls goes where the design puts its frame,
// and its captions take the room they need there.
template <class Page> Page* placePage(Page* page, const ControlDesign& design)
{
    page->setGeometry(design.geometry());
    page->setProperty(TabIndexProperty, design.tabIndex);
    fitCaptions(page);
    return page;
}

// The File menu's commands, each one action that the menu and the toolbar
// share: its menu entry's name and caption, and its toolbar button's key
// (the button's name, tip and accessible name) and picture.
struct Command
{
    const char* menuName;
    const char* caption;
    const char* key;
    const char* icon;
};

constexpr std::array<Command, 5> Commands{{
    {"mnuNew", "New", "New", ":/icons/new"},
    {"mnuOpen", "Open", "Open", ":/icons/open"},
    {"mnuSave", "Save", "Save", ":/icons/save"},
    {"mnuPlay", "&Play", "Play", ":/icons/play"},
    {"mnuExit", "Exit", "Exit", ":/icons/exit"},
}};
// The File menu shows its commands' captions alone: their pictures belong to
// the toolbar. A menu keeps room for pictures when any of its actions has
// one, even one it does not show, and several styles would widen it.
class CaptionsOnlyMenu : public QMenu
{
public:
    using QMenu::QMenu;

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override
    {
        QMenu::initStyleOption(option, action);
        option->maxIconWidth = 0;
    }
};

enum CommandIndex
{
    NewCommand,
    OpenCommand,
    SaveCommand,
    PlayCommand,
    ExitCommand,
};

} // namespace

frmMain::frmMain(ModalInteraction& ui, QSettings& settings, QWidget* parent)
    : QMainWindow(parent), m_ui(ui), m_document(new ModDocument(settings, this)),
      m_programDirectory(QCoreApplication::applicationDirPath())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(ApplicationTitle));
    setWindowIcon(applicationIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    m_focusChecks = new LostFocusChecks(this);
    connect(m_document, &ModDocument::fileNameChanged, this, &frmMain::showFileName);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(fromTwips(Design::ClientWidth), fromTwips(Design::ClientHeight));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    buildActions();
    buildMenus();

    // A grey line under the menu bar, as the classic window drew it. Filled
    // through the palette: a style sheet would bring in the whole style sheet
    // machinery at every start for one line.
    auto* line1 = place<QFrame>(client, Design::Line1);
    QPalette linePalette = line1->palette();
    linePalette.setColor(QPalette::Window, QColor(128, 128, 128));
    line1->setPalette(linePalette);
    line1->setAutoFillBackground(true);

    buildToolbar();

    TabStrip1 = place<QTabWidget>(client, Design::TabStrip1);
    for (const char* tab : {"General", "Inventory", "Augmentations", "Skills"}) {
        auto* placeholder = new QWidget(TabStrip1);
        TabStrip1->addTab(placeholder, QString::fromLatin1(tab));
    }
    connect(TabStrip1, &QTabWidget::currentChanged, this, &frmMain::TabStrip1_Click);
    TabStrip1->tabBar()->installEventFilter(this);
    // The tab strip turns its pages with these keys only while the focus is
    // inside it, and the pages are not: the window takes them from any
    // control. The shift of Ctrl+Shift+Tab reaches the program as Backtab.
    const std::pair<QKeyCombination, int> pageKeys[]{
        {Qt::CTRL | Qt::Key_Tab, 1},
        {Qt::CTRL | Qt::Key_PageDown, 1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
        {Qt::CTRL | Qt::Key_PageUp, -1},
    };
    for (const auto& [keys, step] : pageKeys) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { turnPage(step); });
    }

    frmGeneral = placePage(new GeneralPage(m_ui, *m_focusChecks, *m_document, client), Design::frmGeneral);

    chainTabOrder(client);
    m_fileDrop = new ModFileDrop(this, [this](const QString& path) { openModFile(path); });
}

void frmMain::buildPages()
{
    if (frmInventory)
        return;
    QWidget* client = centralWidget();
    frmInventory = placePage(new InventoryPage(m_ui, *m_document, client), Design::frmInventory);
    frmAugmentations = placePage(new AugmentationsPage(*m_document, client), Design::frmAugmentations);
    frmSkills = placePage(new SkillsPage(m_ui, *m_focusChecks, *m_document, client), Design::frmSkills);

    frmInventory->hide();
    frmAugmentations->hide();
    frmSkills->hide();

    // The pages' controls take their places in the keyboard order and their
    // text boxes pass a dropped mod file on, as though they had been there
    // all along.
    chainTabOrder(client);
    m_fileDrop->watch(client);
}

frmMain::~frmMain()
{
    // The pages write into the document until they are gone, so they go
    // before it; the lost-focus checks go first, as they always did: a field
    // left while the window goes is no edit to check.
    delete m_focusChecks;
    TabStrip1->tabBar()->removeEventFilter(this);
    delete takeCentralWidget();
}

void frmMain::buildActions()
{
    // The entries have no shortcuts and no access keys, as the design has
    // none. Play, which came later, has both, F5 as in the editors that
    // start what they edit.
    using Handler = void (*)(frmMain*);
    const std::array<Handler, 5> handlers{
        [](frmMain* w) { w->NewMod(); },  [](frmMain* w) { w->OpenMod(); },       [](frmMain* w) { w->SaveMod(); },
        [](frmMain* w) { w->playMod(); }, [](frmMain* w) { w->mnuExit_Click(); },
    };
    for (std::size_t i = 0; i < Commands.size(); ++i) {
        const Command& command = Commands[i];
        const QString key = QString::fromLatin1(command.key);
        auto* action = new QAction(QString::fromLatin1(command.caption), this);
        action->setObjectName(QString::fromLatin1(command.menuName));
        action->setData(key);
        action->setToolTip(key);
        action->setIcon(assetIcon(QString::fromLatin1(command.icon), QSize(16, 16)));
        // The picture is the toolbar's; the menu shows the caption alone.
        action->setIconVisibleInMenu(false);
        connect(action, &QAction::triggered, this, [this, handler = handlers[i]] { handler(this); });
        m_commands[i] = action;
    }
    m_commands[PlayCommand]->setShortcut(QKeySequence(Qt::Key_F5));
}

void frmMain::buildMenus()
{
    // The menus have their access keys, so that the keyboard reaches them as
    // it does every program's (Alt+F, Alt+H).
    QMenu* mnuFile = new CaptionsOnlyMenu(QStringLiteral("&File"), menuBar());
    menuBar()->addMenu(mnuFile);
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFile->addActions(
        {m_commands[NewCommand], m_commands[OpenCommand], m_commands[SaveCommand], m_commands[PlayCommand]});
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuDash1"));
    mnuFile->addAction(m_commands[ExitCommand]);

    auto addEntry = [this](QMenu* menu, const char* name, const char* caption, auto handler) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return action;
    };
    QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    addEntry(mnuHelp, "mnuAHelp", "Help", &frmMain::mnuAHelp_Click);
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("mnuDash2"));
    addEntry(mnuHelp, "mnuAbout", "About Zarvik's ML Utility", &frmMain::mnuAbout_Click);

    // F10 opens the menus, as on Windows. Like a click on them it leaves the
    // focus where it is, so no field is left and none is checked.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
}

void frmMain::buildToolbar()
{
    Toolbar1 = place<QToolBar>(centralWidget(), Design::Toolbar1);
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Toolbar1->setFocusPolicy(Qt::NoFocus);
    Toolbar1->setAccessibleName(QStringLiteral("Toolbar"));
    // The same actions as the File menu's; each button is named after its
    // key, which screen readers say.
    for (std::size_t i = 0; i < Commands.size(); ++i) {
        if (i == ExitCommand)
            Toolbar1->addSeparator();
        QAction* action = m_commands[i];
        Toolbar1->addAction(action);
        if (QWidget* button = Toolbar1->widgetForAction(action)) {
            const QString key = QString::fromLatin1(Commands[i].key);
            button->setObjectName(QStringLiteral("Toolbar1_") + key);
            button->setFocusPolicy(Qt::NoFocus);
            button->setAccessibleName(key);
        }
    }
}

std::array<QWidget*, 4> frmMain::pages() const
{
    return {frmGeneral, frmInventory, frmAugmentations, frmSkills};
}

int frmMain::shownPage() const
{
    const std::array<QWidget*, 4> all = pages();
    // A page not built yet is not shown either.
    const auto shown = std::find_if(all.begin(), all.end(), [](QWidget* page) { return page && !page->isHidden(); });
    return shown == all.end() ? -1 : int(shown - all.begin());
}

bool frmMain::leavePage()
{
    // A control that keeps the focus while its page is hidden would take the
    // user's typing out of sight. The focus goes to the tab strip first, while
    // the page is still shown, so a field's check speaks over its own page.
    QWidget* focus = m_focusChecks->workingControl(focusWidget());
    const int shown = shownPage();
    if (!focus || shown < 0 || !pages()[static_cast<std::size_t>(shown)]->isAncestorOf(focus))
        return true;
    return m_focusChecks->moveFocus(TabStrip1);
}

bool frmMain::completeEdit(EditScope scope)
{
    QWidget* field = m_focusChecks->workingControl(focusWidget());
    if (scope == EditScope::GameDirectory && field != frmGeneral->gamePathField())
        return true;
    return m_focusChecks->completeEdit(field);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // A click on another tab leaves the shown page: its field's check runs
    // before the tab strip acts, and a failed check keeps the tab as it was.
    if (watched == TabStrip1->tabBar() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        const auto* press = static_cast<QMouseEvent*>(event);
        const int tab = TabStrip1->tabBar()->tabAt(press->position().toPoint());
        if (press->button() == Qt::LeftButton && tab >= 0 && tab != shownPage() && !leavePage())
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::turnPage(int step)
{
    // Through the tab strip, as a click on the tab would: the field's check
    // runs first and a refusal keeps the page.
    const int count = TabStrip1->count();
    TabStrip1->setCurrentIndex((TabStrip1->currentIndex() + step + count) % count);
}

void frmMain::TabStrip1_Click()
{
    const int n = TabStrip1->currentIndex() + 1;
    if (n < 1 || n > 4)
        return;
    // Any other way to another tab (the wheel over the tabs) is caught here.
    const int shown = shownPage();
    if (shown >= 0 && shown != n - 1 && !leavePage()) {
        const QSignalBlocker blocker(TabStrip1);
        TabStrip1->setCurrentIndex(shown);
        return;
    }
    buildPages();
    const std::array<QWidget*, 4> all = pages();
    for (std::size_t page = 0; page < all.size(); ++page)
        all[page]->setVisible(static_cast<int>(page) == n - 1);
}

void frmMain::mnuExit_Click()
{
    if (m_about)
        m_about->close();
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program: every other window goes too,
    // and unsaved edits are discarded without a question.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->close();
    }
    event->accept();
}

void frmMain::setProgramDirectory(const QString& directory)
{
    m_programDirectory = directory;
}

void frmMain::mnuAHelp_Click()
{
    const QString document = helpDocumentPath(m_programDirectory);
    if (!QFileInfo(document).isFile()) {
        m_ui.tell(this, QStringLiteral("Help file not found. Make sure it is in the same folder as this file."),
                  ModalInteraction::Icon::Exclamation);
        return;
    }
    m_ui.openUrl(QUrl::fromLocalFile(document));
}

void frmMain::mnuAbout_Click()
{
    if (!m_about)
        m_about = new frmAbout(m_ui, m_programDirectory, this);
    m_about->exec();
    // Closed by its close box rather than OK: the next opening starts afresh.
    if (m_about && m_about->discarded())
        delete m_about;
}

void frmMain::showFileName()
{
    const QString& path = m_document->fileName();
    if (path.isEmpty())
        setWindowTitle(QString::fromLatin1(ApplicationTitle));
    else
        setWindowTitle(CaptionPrefix + QString(path).replace(ModifiedMark, LiteralModifiedMark));
}

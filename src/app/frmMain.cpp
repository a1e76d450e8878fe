#include "frmMain.h"

#include "Layout.h"
#include "LostFocusChecks.h"
#include "ModFileDrop.h"
#include "ModalInteraction.h"
#include "SvgImage.h"
#include "about/frmAbout.h"
#include "augmentations/AugmentationsPage.h"
#include "inventory/InventoryPage.h"
#include "skills/SkillsPage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

const QString CaptionPrefix = QStringLiteral("Zarvik's ML Utility - ");

// Qt takes "[*]" in a window title for the place of its modified mark and
// shows "[*][*]" as one literal "[*]", so a path that holds it is doubled.
const QString ModifiedMark = QStringLiteral("[*]");
const QString LiteralModifiedMark = QStringLiteral("[*][*]");

// Client area of the design, below the menu bar.
constexpr int ClientWidth = 5910;
constexpr int ClientHeight = 4935;

// The four pages share one rectangle on top of the tab strip.
const QRect PageRect = Twips(240, 840, 5415, 3855);

struct ToolbarButton
{
    const char* key;
    const char* icon;
};

constexpr std::array<ToolbarButton, 4> ToolbarButtons{{
    {"New", ":/icons/new.svg"},
    {"Open", ":/icons/open.svg"},
    {"Save", ":/icons/save.svg"},
    {"Exit", ":/icons/exit.svg"},
}};

} // namespace

frmMain::frmMain(ModalInteraction& ui, QSettings& settings, QWidget* parent)
    : QMainWindow(parent), m_ui(ui), m_settings(settings), m_programDirectory(QCoreApplication::applicationDirPath())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(ApplicationTitle));
    setWindowIcon(QIcon(RenderSvg(QStringLiteral(":/icons/zarvik.svg"), QSize(64, 64))));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    m_focusChecks = new LostFocusChecks(this);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(FromTwips(ClientWidth), FromTwips(ClientHeight));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    buildMenus();

    // A grey line under the menu bar, as the classic window drew it.
    auto* line1 = Place<QFrame>(client, QStringLiteral("Line1"), QRect(0, 0, FromTwips(6000), 1), -1);
    line1->setStyleSheet(QStringLiteral("background-color: rgb(128, 128, 128);"));

    buildToolbar();

    TabStrip1 = Place<QTabWidget>(client, QStringLiteral("TabStrip1"), Twips(120, 480, 5655, 4335), 0);
    for (const char* tab : {"General", "Inventory", "Augmentations", "Skills"}) {
        auto* placeholder = new QWidget(TabStrip1);
        TabStrip1->addTab(placeholder, QString::fromLatin1(tab));
    }
    connect(TabStrip1, &QTabWidget::currentChanged, this, &frmMain::TabStrip1_Click);
    TabStrip1->tabBar()->installEventFilter(this);

    buildGeneralPage();
    frmInventory = new InventoryPage(m_ui, client);
    frmInventory->setGeometry(PageRect);
    frmInventory->setProperty(TabIndexProperty, 14);
    frmAugmentations = new AugmentationsPage(AugSlots, AugLevels, CurrentSlot, client);
    frmAugmentations->setGeometry(PageRect);
    frmAugmentations->setProperty(TabIndexProperty, 23);
    frmSkills = new SkillsPage(m_ui, *m_focusChecks, client);
    frmSkills->setGeometry(PageRect);
    frmSkills->setProperty(TabIndexProperty, 43);

    frmInventory->hide();
    frmAugmentations->hide();
    frmSkills->hide();

    chainTabOrder();
    fitCaptions();
    new ModFileDrop(this, [this](const QString& path) { OpenModFile(path); });
}

frmMain::~frmMain() = default;

void frmMain::buildMenus()
{
    // No shortcuts and no access keys, as the design has none.
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    auto addEntry = [this](QMenu* menu, const char* name, const char* caption, void (frmMain::*handler)()) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
    };
    addEntry(mnuFile, "mnuNew", "New", &frmMain::NewMod);
    addEntry(mnuFile, "mnuOpen", "Open", &frmMain::OpenMod);
    addEntry(mnuFile, "mnuSave", "Save", &frmMain::SaveMod);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuDash1"));
    addEntry(mnuFile, "mnuExit", "Exit", &frmMain::mnuExit_Click);

    QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    addEntry(mnuHelp, "mnuAHelp", "Help", &frmMain::mnuAHelp_Click);
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("mnuDash2"));
    addEntry(mnuHelp, "mnuAbout", "About Zarvik's ML Utility", &frmMain::mnuAbout_Click);
}

void frmMain::buildToolbar()
{
    Toolbar1 = Place<QToolBar>(centralWidget(), QStringLiteral("Toolbar1"), Twips(-15, 15, 6105, 360), -1);
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Toolbar1->setFocusPolicy(Qt::NoFocus);
    Toolbar1->setAccessibleName(QStringLiteral("Toolbar"));
    for (const ToolbarButton& b : ToolbarButtons) {
        const QString key = QString::fromLatin1(b.key);
        if (key == QLatin1String("Exit"))
            Toolbar1->addSeparator();
        QAction* action = Toolbar1->addAction(QIcon(RenderSvg(QString::fromLatin1(b.icon), QSize(16, 16), this)), key);
        action->setObjectName(QStringLiteral("Toolbar1_") + key);
        action->setData(key);
        action->setToolTip(key);
        if (QWidget* button = Toolbar1->widgetForAction(action)) {
            button->setFocusPolicy(Qt::NoFocus);
            button->setAccessibleName(key);
        }
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
}

void frmMain::buildGeneralPage()
{
    frmGeneral = Place<QFrame>(centralWidget(), QStringLiteral("frmGeneral"), PageRect, 1);
    frmGeneral->setFrameShape(QFrame::NoFrame);
    frmGeneral->setAccessibleName(QStringLiteral("General"));

    auto label = [this](const char* name, const QRect& geometry, const char* caption, QWidget* buddy) {
        auto* l = Place<QLabel>(frmGeneral, QString::fromLatin1(name), geometry, -1, QString::fromLatin1(caption));
        l->setBuddy(buddy);
    };
    auto browse = [this](const char* name, const QRect& geometry, int tab, const char* tip) {
        auto* b = Place<QPushButton>(frmGeneral, QString::fromLatin1(name), geometry, tab, QStringLiteral("..."));
        b->setToolTip(QString::fromLatin1(tip));
        b->setAccessibleName(QString::fromLatin1(tip));
        return b;
    };

    txtPath = Place<QLineEdit>(frmGeneral, QStringLiteral("txtPath"), Twips(1440, 240, 3135, 285), 96);
    label("Label21", Twips(240, 240, 1095, 255), "Deus Ex Path:", txtPath);
    cmdBrowse3 = browse("cmdBrowse3", Twips(4680, 240, 375, 285), 97, "Browse for the Deus Ex directory");

    txtName = Place<QLineEdit>(frmGeneral, QStringLiteral("txtName"), Twips(1440, 720, 3615, 285), 3);
    label("Label1", Twips(240, 720, 1095, 255), "Mod Name:", txtName);

    txtMap = Place<QLineEdit>(frmGeneral, QStringLiteral("txtMap"), Twips(1440, 1200, 3135, 285), 5);
    label("Label2", Twips(240, 1200, 1095, 255), "Starting Map:", txtMap);
    cmdBrowse1 = browse("cmdBrowse1", Twips(4680, 1200, 375, 285), 93, "Browse for a starting map");

    txtSplash = Place<QLineEdit>(frmGeneral, QStringLiteral("txtSplash"), Twips(1440, 1680, 3135, 285), 7);
    label("Label3", Twips(240, 1680, 1095, 255), "Splash Map:", txtSplash);
    cmdBrowse2 = browse("cmdBrowse2", Twips(4680, 1680, 375, 285), 94, "Browse for a splash map");

    txtCredits = Place<QLineEdit>(frmGeneral, QStringLiteral("txtCredits"), Twips(1440, 2160, 3615, 285), 11);
    label("Label4", Twips(240, 2160, 1215, 255), "Starting Credits:", txtCredits);

    txtPlayer = Place<QLineEdit>(frmGeneral, QStringLiteral("txtPlayer"), Twips(1440, 2640, 3615, 285), 12);
    label("Label5", Twips(240, 2640, 1215, 255), "PlayerClass:", txtPlayer);

    chkAction = Place<QCheckBox>(frmGeneral, QStringLiteral("chkAction"), Twips(240, 3000, 2775, 255), 8,
                                 QStringLiteral("Show difficulty and skills screens"));
    chkAutoStart = Place<QCheckBox>(frmGeneral, QStringLiteral("chkAutoStart"), Twips(240, 3360, 2295, 255), 9,
                                    QStringLiteral("Autostart Orvane Mod Loader"));

    connect(txtPath, &QLineEdit::textChanged, this, &frmMain::txtPath_Change);
    m_focusChecks->watch(txtPath, [this] { txtPath_LostFocus(); });
    connect(cmdBrowse3, &QPushButton::clicked, this, &frmMain::cmdBrowse3_Click);
    connect(chkAutoStart, &QCheckBox::toggled, this, &frmMain::chkAutoStart_Click);
    connect(cmdBrowse1, &QPushButton::clicked, this, &frmMain::cmdBrowse1_Click);
    connect(cmdBrowse2, &QPushButton::clicked, this, &frmMain::cmdBrowse2_Click);
    m_focusChecks->watch(txtMap, [this] { txtMap_LostFocus(); });
    m_focusChecks->watch(txtName, [this] { txtName_LostFocus(); });
}

void frmMain::fitCaptions()
{
    // Where the desktop's font runs wider than the design's, a caption gets
    // the room it needs rather than being cut off.
    for (QWidget* w : centralWidget()->findChildren<QWidget*>()) {
        const bool caption =
            qobject_cast<QCheckBox*>(w) || (qobject_cast<QLabel*>(w) && !w->objectName().startsWith(u"pic"));
        if (caption && w->sizeHint().width() > w->width())
            w->resize(w->sizeHint().width(), w->height());
    }
}

void frmMain::chainTabOrder()
{
    // Every control that carries a keyboard order, lowest first; controls of
    // one number keep the order in which they were made.
    QList<QWidget*> controls;
    for (QWidget* w : centralWidget()->findChildren<QWidget*>()) {
        if (w->property(TabIndexProperty).isValid() && w->focusPolicy() != Qt::NoFocus)
            controls.append(w);
    }
    std::stable_sort(controls.begin(), controls.end(), [](QWidget* a, QWidget* b) {
        return a->property(TabIndexProperty).toInt() < b->property(TabIndexProperty).toInt();
    });
    for (qsizetype i = 1; i < controls.size(); ++i)
        setTabOrder(controls[i - 1], controls[i]);
}

QString frmMain::GamePath() const
{
    return txtPath->text();
}

int frmMain::shownPage() const
{
    const std::array<QWidget*, 4> pages{frmGeneral, frmInventory, frmAugmentations, frmSkills};
    const auto shown = std::find_if(pages.begin(), pages.end(), [](QWidget* page) { return !page->isHidden(); });
    return shown == pages.end() ? -1 : int(shown - pages.begin());
}

bool frmMain::leavePage()
{
    // A control that keeps the focus while its page is hidden would take the
    // user's typing out of sight. The focus goes to the tab strip first, while
    // the page is still shown, so a field's check speaks over its own page.
    QWidget* focus = focusWidget();
    const std::array<QWidget*, 4> pages{frmGeneral, frmInventory, frmAugmentations, frmSkills};
    const int shown = shownPage();
    if (!focus || shown < 0 || !pages[shown]->isAncestorOf(focus))
        return true;
    return m_focusChecks->moveFocus(TabStrip1);
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
    frmGeneral->setVisible(n == 1);
    frmInventory->setVisible(n == 2);
    frmAugmentations->setVisible(n == 3);
    frmSkills->setVisible(n == 4);
}

void frmMain::Toolbar1_ButtonClick(const QString& key)
{
    if (key == QLatin1String("New"))
        NewMod();
    else if (key == QLatin1String("Open"))
        OpenMod();
    else if (key == QLatin1String("Save"))
        SaveMod();
    else if (key == QLatin1String("Exit"))
        mnuExit_Click();
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

ModDefinition frmMain::CollectModDefinition() const
{
    ModDefinition mod;
    mod.name = txtName->text();
    mod.action = chkAction->isChecked();
    mod.inventory = frmInventory->Entries();
    mod.playerClass = txtPlayer->text();
    mod.credits = txtCredits->text();
    mod.skillPoints = frmSkills->txtSkill->text();
    for (int i = 0; i < SkillCount; ++i)
        mod.skillLevels[i] = frmSkills->txtLevel[i]->text();
    mod.augSlots = AugSlots;
    mod.augLevels = AugLevels;
    mod.splashMap = txtSplash->text();
    mod.startingMap = txtMap->text();
    return mod;
}

void frmMain::setCaptionFile(const QString& path)
{
    if (path.isEmpty())
        setWindowTitle(QString::fromLatin1(ApplicationTitle));
    else
        setWindowTitle(CaptionPrefix + QString(path).replace(ModifiedMark, LiteralModifiedMark));
}

QString frmMain::captionFile() const
{
    const QString caption = windowTitle();
    if (!caption.startsWith(CaptionPrefix))
        return {};
    return caption.mid(CaptionPrefix.size()).replace(LiteralModifiedMark, ModifiedMark);
}

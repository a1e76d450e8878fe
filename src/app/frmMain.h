#pragma once

#include "game/LoaderFiles.h"
#include "mod/ModDefinition.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class AugmentationsPage;
class InventoryPage;
class LostFocusChecks;
class ModFileDrop;
class ModalInteraction;
class SkillsPage;
class frmAbout;
class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;
class QTabWidget;
class QToolBar;

// The main window. The mod being edited lives in its controls and in the
// three augmentation members below; the file it belongs to lives only in the
// window caption, and the game directory only in the Deus Ex Path field.
//
// Its code is split by what it does: frmMain.cpp builds the window, its
// menus, toolbar and tab strip and runs the window-level commands;
// frmMain_Startup.cpp is the start-up sequence; frmMain_ModCommands.cpp holds
// New, Open and Save; frmMain_GeneralPage.cpp the General page.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    frmMain(ModalInteraction& ui, QSettings& settings, QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up sequence: fills the fixed lists, shows the window, makes
    // sure a game directory is known and the loader is set up, and reads the
    // autostart flag. Runs once, after construction.
    void Form_Load();

    // The Inventory, Augmentations and Skills pages are built on their first
    // need (their tab chosen, a mod started, opened or saved), so that
    // start-up builds only what the window shows. Builds them now if not yet.
    void BuildPages();

    // Commands of the File menu and the toolbar.
    void NewMod();
    void OpenMod();
    void SaveMod();

    // What Open does once a file is chosen: reads the file into the window
    // or says why it cannot. The command line and a dropped file open
    // through it too.
    void OpenModFile(const QString& path);

    // The one mapping between the window and the record: each page puts its
    // part of the mod into its controls, or reads it back from them.
    void ApplyModDefinition(const ModDefinition& mod);
    ModDefinition CollectModDefinition() const;

    // Window-level handlers.
    void TabStrip1_Click();
    void Toolbar1_ButtonClick(const QString& key);
    void mnuExit_Click();
    void mnuAHelp_Click();
    void mnuAbout_Click();

    // Where the help document is looked for: the executable's directory
    // unless told otherwise.
    void setProgramDirectory(const QString& directory);

    // The General page.
    void txtPath_Change();
    void txtPath_LostFocus();
    void cmdBrowse3_Click();
    void chkAutoStart_Click();
    void cmdBrowse1_Click();
    void cmdBrowse2_Click();
    void txtMap_LostFocus();
    void txtName_LostFocus();

    // The game directory: the text of the Deus Ex Path field.
    QString GamePath() const;

    // The augmentation in each slot (class without package, or empty), the
    // level of each slot (0 = "Tech-1"), and the slot selected on the page.
    std::array<QString, AugSlotCount> AugSlots;
    std::array<qint16, AugSlotCount> AugLevels{};
    qint16 CurrentSlot = 0;

    // Controls of the window and of the General page.
    QToolBar* Toolbar1 = nullptr;
    QTabWidget* TabStrip1 = nullptr;
    QFrame* frmGeneral = nullptr;
    InventoryPage* frmInventory = nullptr;
    AugmentationsPage* frmAugmentations = nullptr;
    SkillsPage* frmSkills = nullptr;

    QLineEdit* txtPath = nullptr;
    QPushButton* cmdBrowse3 = nullptr;
    QLineEdit* txtName = nullptr;
    QLineEdit* txtMap = nullptr;
    QPushButton* cmdBrowse1 = nullptr;
    QLineEdit* txtSplash = nullptr;
    QPushButton* cmdBrowse2 = nullptr;
    QLineEdit* txtCredits = nullptr;
    QLineEdit* txtPlayer = nullptr;
    QCheckBox* chkAction = nullptr;
    QCheckBox* chkAutoStart = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The per-user setting that remembers the game directory.
    static constexpr char PathSettingKey[] = "DXPath";

    // frmMain.cpp
    void buildMenus();
    void buildToolbar();
    // The Inventory page's item list shows the whole catalogue from start-up
    // on, or from when the page is built after start-up.
    void fillFixedLists();
    // The page frame shown now, and its tab's position.
    int shownPage() const;
    // Takes the focus off the shown page before it is hidden; false when a
    // field's check kept it there.
    bool leavePage();
    // The caption names the mod's file after Open and Save.
    void setCaptionFile(const QString& path);
    QString captionFile() const;

    // frmMain_GeneralPage.cpp
    void buildGeneralPage();
    void applyGeneralPage(const ModDefinition& mod);
    void collectGeneralPage(ModDefinition& mod) const;
    // Writes the box's state to the loader's flag file. A failure is told,
    // and the box shows the file's state again (or shownBefore, where the
    // file cannot be read).
    void writeAutostartFlag(FlagForm form, bool shownBefore);
    void browseForMap(QLineEdit* field);

    ModalInteraction& m_ui;
    QSettings& m_settings;
    LostFocusChecks* m_focusChecks = nullptr;
    QPointer<frmAbout> m_about;
    ModFileDrop* m_fileDrop = nullptr;
    QString m_programDirectory;
    bool m_fixedListsFilled = false;
};

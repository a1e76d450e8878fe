#pragma once

#include <QMainWindow>
#include <QPointer>

#include <array>

class AugmentationsPage;
class GeneralPage;
class InventoryPage;
class LostFocusChecks;
class ModDocument;
class ModFileDrop;
class ModalInteraction;
class SkillsPage;
class frmAbout;
class QAction;
class QSettings;
class QTabWidget;
class QToolBar;

// The main window: a view of the document, which holds the mod being edited,
// the file it belongs to, the game directory and the autostart state. The
// pages show the document and write the user's edits back; the caption is
// drawn from its file. The window runs the commands and says what came of
// them.
//
// Its code is split by what it does: frmMain.cpp builds the window, its
// menus, toolbar and tab strip and runs the window-level commands;
// frmMain_Startup.cpp is the start-up sequence; frmMain_ModCommands.cpp holds
// New, Open and Save; frmMain_Play.cpp starts the game.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    frmMain(ModalInteraction& ui, QSettings& settings, QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up sequence: takes the remembered game directory back, shows
    // the window, makes sure a game directory is known and the loader is set
    // up, and reads the autostart flag. Runs once, after construction. (The
    // pages fill their fixed lists as they are built.)
    void Form_Load();

    // What is being edited.
    ModDocument& document() const { return *m_document; }

    // The Inventory, Augmentations and Skills pages are built on their first
    // need (their tab chosen, a mod started or opened), so that start-up
    // builds only what the window shows. Builds them now if not yet.
    void buildPages();

    // Commands of the File menu and the toolbar.
    void NewMod();
    void OpenMod();
    // True when the mod reached its file.
    bool SaveMod();
    // Saves the mod as Save does, then starts the game the way its install
    // is started.
    void playMod();

    // What a command does before it runs: completes the edit in progress
    // exactly as leaving its field would (a typed game directory gets its
    // final separator, a skill level is checked). Everything checks any
    // field; GameDirectory only the Deus Ex Path field, for commands that
    // replace the mod's fields anyway. Returns false when the field's check
    // refused its text: its message has been shown, the focus is in the
    // field, and the command must not run.
    enum class EditScope
    {
        Everything,
        GameDirectory,
    };
    [[nodiscard]] bool completeEdit(EditScope scope = EditScope::Everything);

    // What Open does once a file is chosen: reads the file into the
    // document or says why it cannot. The command line and a dropped file
    // open through it too.
    void openModFile(const QString& path);

    // Where the help document is looked for: the executable's directory
    // unless told otherwise.
    void setProgramDirectory(const QString& directory);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // frmMain_Startup.cpp: offers to switch the game's default game to the
    // loader when the settings read still name the game's own.
    void offerLoaderSetUp(const QByteArray& deusExIni);

    // Says what stopped a command, or what it came to.
    void tell(const QString& message);

    // frmMain.cpp
    // One action for each command of the File menu, shared with the toolbar.
    void buildActions();
    void buildMenus();
    void buildToolbar();
    // The pages in the order of their tabs; those not built yet are null.
    std::array<QWidget*, 4> pages() const;
    // The page frame shown now, and its tab's position.
    int shownPage() const;
    // Takes the focus off the shown page before it is hidden; false when a
    // field's check kept it there.
    bool leavePage();
    // Shows the next page (step 1) or the one before (-1), round the end.
    void turnPage(int step);
    // The caption names the document's file.
    void showFileName();

    // Window-level handlers.
    void TabStrip1_Click();
    void mnuExit_Click();
    void mnuAHelp_Click();
    void mnuAbout_Click();

    QToolBar* Toolbar1 = nullptr;
    QTabWidget* TabStrip1 = nullptr;
    GeneralPage* frmGeneral = nullptr;
    InventoryPage* frmInventory = nullptr;
    AugmentationsPage* frmAugmentations = nullptr;
    SkillsPage* frmSkills = nullptr;

    // The File menu's commands, in their order: New, Open, Save, Play, Exit.
    std::array<QAction*, 5> m_commands{};

    ModalInteraction& m_ui;
    ModDocument* m_document = nullptr;
    LostFocusChecks* m_focusChecks = nullptr;
    QPointer<frmAbout> m_about;
    ModFileDrop* m_fileDrop = nullptr;
    QString m_programDirectory;
};

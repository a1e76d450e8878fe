#pragma once

#include "mod/ModDefinition.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class AugmentationsPage;
class GeneralPage;
class InventoryPage;
class LostFocusChecks;
class ModFileDrop;
class ModalInteraction;
class SkillsPage;
class frmAbout;
class QSettings;
class QTabWidget;
class QToolBar;

// The main window. The mod being edited lives in its pages: in their controls
// and in the Augmentations page's slots. The file it belongs to lives only in
// the window caption, and the game directory only in the Deus Ex Path field
// of the General page.
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

    // The start-up sequence: puts the remembered game directory into its
    // field, shows the window, makes sure a game directory is known and the
    // loader is set up, and reads the autostart flag. Runs once, after
    // construction. (The pages fill their fixed lists as they are built.)
    void Form_Load();

    // The Inventory, Augmentations and Skills pages are built on their first
    // need (their tab chosen, a mod started or opened), so that start-up
    // builds only what the window shows. Builds them now if not yet.
    void BuildPages();

    // Commands of the File menu and the toolbar.
    void NewMod();
    void OpenMod();
    // True when the mod reached its file.
    bool SaveMod();
    // Saves the mod as Save does, then starts the game the way its install
    // is started.
    void PlayMod();

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

    // What Open does once a file is chosen: reads the file into the window
    // or says why it cannot. The command line and a dropped file open
    // through it too.
    void OpenModFile(const QString& path);

    // The one mapping between the window and the record: each page puts its
    // part of the mod into its controls, or reads it back from them.
    void ApplyModDefinition(const ModDefinition& mod);
    ModDefinition CollectModDefinition() const;

    // Where the help document is looked for: the executable's directory
    // unless told otherwise.
    void setProgramDirectory(const QString& directory);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // frmMain_Startup.cpp: offers to switch the game's default game to the
    // loader when the settings read still name the game's own.
    void offerLoaderSetUp(const QString& gamePath, const QByteArray& deusExIni);

    // frmMain.cpp
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
    // The caption names the mod's file after Open and Save.
    void setCaptionFile(const QString& path);
    QString captionFile() const;

    // Window-level handlers.
    void TabStrip1_Click();
    void Toolbar1_ButtonClick(const QString& key);
    void mnuExit_Click();
    void mnuAHelp_Click();
    void mnuAbout_Click();

    QToolBar* Toolbar1 = nullptr;
    QTabWidget* TabStrip1 = nullptr;
    GeneralPage* frmGeneral = nullptr;
    InventoryPage* frmInventory = nullptr;
    AugmentationsPage* frmAugmentations = nullptr;
    SkillsPage* frmSkills = nullptr;

    ModalInteraction& m_ui;
    LostFocusChecks* m_focusChecks = nullptr;
    QPointer<frmAbout> m_about;
    ModFileDrop* m_fileDrop = nullptr;
    QString m_programDirectory;
};

#pragma once

#include "game/LoaderFiles.h"

#include <QFrame>

struct ModDefinition;
class LostFocusChecks;
class ModalInteraction;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSettings;

// The General page: the game directory, the mod's name, maps, credits and
// player class, and the two check boxes; the browse buttons and the checks
// made when a field is left. The game directory lives only in its field,
// and the field's every change is remembered in the settings store.
class GeneralPage : public QFrame
{
    Q_OBJECT
public:
    GeneralPage(ModalInteraction& ui, LostFocusChecks& focusChecks, QSettings& settings, QWidget* parent);

    // The page's part of the mod: its name, maps, credits, player class and
    // whether the game shows its difficulty and skills screens. The game
    // directory and the autostart box belong to the installation instead.
    void apply(const ModDefinition& mod);
    void collect(ModDefinition& mod) const;

    // The game directory: the text of the Deus Ex Path field.
    QString GamePath() const;
    void setGamePath(const QString& path);
    // The Deus Ex Path field, for a command that completes its edit.
    QWidget* gamePathField() const;
    // Puts the remembered game directory into the field.
    void restoreGamePath();
    // Asks for the game directory until a folder holding the game is chosen
    // or the dialog is cancelled.
    void cmdBrowse3_Click();

    // Checks or clears the autostart box; its handler writes the loader's
    // flag file as a click does.
    void setAutoStart(bool on);
    // Writes the box's state to the loader's flag file, as Save does. A
    // failure is told, and the box shows the file's state again.
    void writeAutostartFlag(FlagForm form);

private:
    // The same for a change of the box, where shownBefore is the state the
    // box showed before, for when the file cannot be read either.
    void writeAutostartFlag(FlagForm form, bool shownBefore);
    void txtPath_Change();
    void txtPath_LostFocus();
    void chkAutoStart_Click();
    void cmdBrowse1_Click();
    void cmdBrowse2_Click();
    void txtMap_LostFocus();
    void txtName_LostFocus();
    void browseForMap(QLineEdit* field);

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

    ModalInteraction& m_ui;
    LostFocusChecks& m_focusChecks;
    QSettings& m_settings;
};

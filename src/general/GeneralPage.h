#pragma once

#include <QFrame>

class LostFocusChecks;
class ModDocument;
class ModalInteraction;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The General page: the game directory, the mod's name, maps, credits and
// player class, and the two check boxes; the browse buttons and the checks
// made when a field is left. It shows the document's values and writes every
// change of its controls back, the program's own included.
class GeneralPage : public QFrame
{
    Q_OBJECT
public:
    GeneralPage(ModalInteraction& ui, LostFocusChecks& focusChecks, ModDocument& document, QWidget* parent);

    // The Deus Ex Path field, for a command that completes its edit.
    QWidget* gamePathField() const;

private:
    // Puts the document's part of the mod into the controls.
    void showMod();
    void showGamePath();
    void showAutostart();
    void txtPath_Change();
    void txtPath_LostFocus();
    void cmdBrowse3_Click();
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
    ModDocument& m_document;
};

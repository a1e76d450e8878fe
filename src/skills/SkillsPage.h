#pragma once

#include "mod/SkillTable.h"

#include <QFrame>

#include <array>

class LevelSpinner;
class LostFocusChecks;
class ModDocument;
class ModalInteraction;
class QLineEdit;

// The Skills page: a level of 1 to 4 for each of the eleven skills, typed or
// stepped with a spinner, and the initial skill points. It shows the
// document's texts and writes each change back; the spinners keep their own
// positions.
class SkillsPage : public QFrame
{
    Q_OBJECT
public:
    SkillsPage(ModalInteraction& ui, LostFocusChecks& focusChecks, ModDocument& document, QWidget* parent);

private:
    void showMod();
    void scrlLevel_Change(int index);
    void txtLevel_LostFocus(int index);

    QLineEdit* txtSkill = nullptr;
    std::array<QLineEdit*, SkillCount> txtLevel{};
    std::array<LevelSpinner*, SkillCount> scrlLevel{};

    ModalInteraction& m_ui;
    LostFocusChecks& m_focusChecks;
    ModDocument& m_document;
};

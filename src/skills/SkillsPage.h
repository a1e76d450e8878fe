#pragma once

#include "mod/SkillTable.h"

#include <QFrame>

#include <array>

struct ModDefinition;
class LevelSpinner;
class LostFocusChecks;
class ModalInteraction;
class QLineEdit;

// The Skills page: a level of 1 to 4 for each of the eleven skills, typed or
// stepped with a spinner, and the initial skill points.
class SkillsPage : public QFrame
{
    Q_OBJECT
public:
    SkillsPage(ModalInteraction& ui, LostFocusChecks& focusChecks, QWidget* parent);

    // The page's part of the mod: the initial skill points and the level
    // texts. The spinners keep their own positions.
    void apply(const ModDefinition& mod);
    void collect(ModDefinition& mod) const;

private:
    void scrlLevel_Change(int index);
    void txtLevel_LostFocus(int index);

    QLineEdit* txtSkill = nullptr;
    std::array<QLineEdit*, SkillCount> txtLevel{};
    std::array<LevelSpinner*, SkillCount> scrlLevel{};

    ModalInteraction& m_ui;
    LostFocusChecks& m_focusChecks;
};

#pragma once

#include "mod/SkillTable.h"

#include <QFrame>

#include <array>

struct ModDefinition;
class LevelSpinner;
class LostFocusChecks;
class ModalInteraction;
class PictureBox;
class QLabel;
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

    void scrlLevel_Change(int Index);
    void txtLevel_LostFocus(int Index);

    QLabel* Label20 = nullptr;
    QLineEdit* txtSkill = nullptr;
    std::array<PictureBox*, SkillCount> picSkills{};
    std::array<QLabel*, SkillCount> skillLabels{};
    std::array<QLineEdit*, SkillCount> txtLevel{};
    std::array<LevelSpinner*, SkillCount> scrlLevel{};
    QLabel* Label19 = nullptr;

private:
    ModalInteraction& m_ui;
    LostFocusChecks& m_focusChecks;
};

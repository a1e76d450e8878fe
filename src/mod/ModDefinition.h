#pragma once

#include "skills/SkillTable.h"

#include <QString>
#include <QStringList>

#include <array>

inline constexpr int AugSlotCount = 9;

// A snapshot of the mod being edited, gathered from the window's controls at
// the moment of saving and thrown away afterwards. The window's controls are
// the only lasting copy of these values.
struct ModDefinition
{
    QString name;
    bool action = false;   // show the difficulty and skills screens
    QStringList inventory; // entries as the list shows them, e.g. "MedKit(2)"
    QString playerClass;
    QString credits;                              // as typed
    QString skillPoints;                          // as typed
    std::array<QString, SkillCount> skillLevels;  // level texts, "1" to "4" in normal use
    std::array<QString, AugSlotCount> augSlots;   // class without package, or empty
    std::array<qint16, AugSlotCount> augLevels{}; // 0 = "Tech-1" … 3 = "Tech-4"
    QString splashMap;
    QString startingMap;
};

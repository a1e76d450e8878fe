#pragma once

// The mod record needs the sizes of the two catalogues it follows; both
// headers are plain tables without widgets.
#include "AugmentationCatalogue.h"
#include "SkillTable.h"

#include <QString>
#include <QStringList>

#include <array>

// The mod being edited as one value: what Save composes into a file and what
// Open reads out of one. The document holds the one lasting copy, which the
// pages show and edit. A record made with no values is a new mod.
struct ModDefinition
{
    QString name;
    bool action = false;   // show the difficulty and skills screens
    QStringList inventory; // entries as the list shows them, e.g. "MedKit(2)"
    QString playerClass;
    QString credits;                                           // as typed
    QString skillPoints;                                       // as typed
    std::array<QString, SkillCount> skillLevels = newLevels(); // level texts, "1" to "4" in normal use
    std::array<QString, AugSlotCount> augSlots;                // class without package, or empty
    std::array<qint16, AugSlotCount> augLevels{};              // 0 = "Tech-1" … 3 = "Tech-4"
    QString splashMap;
    QString startingMap;

private:
    static std::array<QString, SkillCount> newLevels()
    {
        std::array<QString, SkillCount> levels;
        levels.fill(QString::number(MinSkillLevel));
        return levels;
    }
};

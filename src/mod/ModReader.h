#pragma once

#include "ModDefinition.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// What opening a mod definition file puts into the window, read from its
// text without a window. Open starts from a new mod's values, so fields that
// the file does not name come out as a new mod has them.
struct ModFileContents
{
    QString name;
    bool action = false;
    bool hasInventory = false; // the file names "Inv="
    QStringList inventory;     // as the file holds them, prefix included
    bool hasAugmentations = false;
    std::array<QString, AugSlotCount> augSlots;
    std::array<qint16, AugSlotCount> augLevels{};
    QStringList unplacedAugmentations; // entries no slot could take, as read
    QString playerClass;
    QString credits;
    QString skillPoints;
    std::array<QString, SkillCount> skillLevels; // "1" unless the file gives a level
    QString splashMap;
    QString startingMap;
};

// Whether a text looks like a mod definition at all: not empty, and holding
// at least one of the format's keys.
bool LooksLikeModDefinition(const QString& text);

// Reads every field the way Open applies it.
ModFileContents ReadModDefinition(const QString& text);

// The largest file Open accepts; real mod files are a few hundred bytes.
inline constexpr qint64 MaxModFileBytes = 1024 * 1024;

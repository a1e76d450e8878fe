#pragma once

#include "mod/ModDefinition.h"

// The two mods every reader of the file format knows: a new mod, and the
// worked example with every kind of value.

inline ModDefinition NewModSample()
{
    ModDefinition mod;
    mod.skillLevels.fill(QStringLiteral("1"));
    return mod;
}

inline ModDefinition WorkedExampleSample()
{
    ModDefinition mod = NewModSample();
    mod.name = QStringLiteral("Test Mod");
    mod.action = true;
    mod.inventory = {QStringLiteral("MedKit(2)"), QStringLiteral("WeaponPistol"), QStringLiteral("MyPackage.MyItem")};
    mod.playerClass = QStringLiteral("ModPkg.ModPlayer");
    mod.credits = QStringLiteral("500");
    mod.skillPoints = QStringLiteral("5000");
    mod.skillLevels[1] = QStringLiteral("2");
    mod.skillLevels[6] = QStringLiteral("3");
    mod.skillLevels[9] = QStringLiteral("4");
    mod.augSlots[3] = QStringLiteral("AugSpeed");
    mod.augLevels[3] = 1;
    mod.augSlots[4] = QStringLiteral("AugHealing");
    mod.augLevels[4] = 0;
    mod.augSlots[7] = QStringLiteral("AugCloak");
    mod.augLevels[7] = 3;
    mod.splashMap = QStringLiteral("ModSplash.dx");
    mod.startingMap = QStringLiteral("ModMap.dx");
    return mod;
}

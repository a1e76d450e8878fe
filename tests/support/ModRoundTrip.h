#pragma once

#include "mod/GameReading.h"
#include "mod/ModDefinition.h"
#include "mod/ModFormat.h"
#include "mod/ModReader.h"
#include "mod/Numeric.h"

#include <QString>

// Save followed by Open, or by the game, without a window: what a mod turns
// into when it is written and read back, and where two mods differ.

// An inventory entry as Open shows it once saved: a class without a package
// comes back in the game's own, "DeusEx.".
inline QString WithGamePackage(const QString& entry)
{
    return entry.contains(u'.') ? entry : QStringLiteral("DeusEx.") + entry;
}

// What opening the saved file must show: values Save leaves out come back
// empty, and inventory entries carry the package the file gives them.
inline ModDefinition AsSaved(ModDefinition mod)
{
    for (QString& entry : mod.inventory)
        entry = WithGamePackage(entry);
    if (mod.playerClass == QLatin1String(PlaceholderPlayerClass))
        mod.playerClass.clear();
    if (!isNumericText(mod.credits))
        mod.credits.clear();
    if (!isNumericText(mod.skillPoints))
        mod.skillPoints.clear();
    if (mod.splashMap == QLatin1String(PlaceholderSplashMap))
        mod.splashMap.clear();
    return mod;
}

// The first field in which two mods differ, with both values; empty text
// when they agree.
inline QString FirstDifference(const ModDefinition& a, const ModDefinition& b)
{
    const auto differs = [](const char* field, const QString& x, const QString& y) {
        return x == y ? QString() : QStringLiteral("%1: \"%2\" vs \"%3\"").arg(QLatin1String(field), x, y);
    };
    QString d;
    if (a.action != b.action)
        return QStringLiteral("action");
    if (!(d = differs("name", a.name, b.name)).isEmpty())
        return d;
    // Counted too: one empty entry is not none.
    if (a.inventory != b.inventory) {
        return QStringLiteral("inventory: %1 entries \"%2\" vs %3 entries \"%4\"")
            .arg(a.inventory.size())
            .arg(a.inventory.join(u'|'))
            .arg(b.inventory.size())
            .arg(b.inventory.join(u'|'));
    }
    if (!(d = differs("class", a.playerClass, b.playerClass)).isEmpty())
        return d;
    if (!(d = differs("credits", a.credits, b.credits)).isEmpty())
        return d;
    if (!(d = differs("skill points", a.skillPoints, b.skillPoints)).isEmpty())
        return d;
    for (int i = 0; i < SkillCount; ++i) {
        if (!(d = differs("skill level", a.skillLevels[i], b.skillLevels[i])).isEmpty())
            return d;
    }
    for (int slot = 0; slot < AugSlotCount; ++slot) {
        if (!(d = differs("augmentation", a.augSlots[slot], b.augSlots[slot])).isEmpty())
            return d;
        if (a.augLevels[slot] != b.augLevels[slot])
            return QStringLiteral("augmentation level of slot %1").arg(slot);
    }
    if (!(d = differs("splash map", a.splashMap, b.splashMap)).isEmpty())
        return d;
    return differs("starting map", a.startingMap, b.startingMap);
}

// What Open makes of the file Save writes for the mod, against the mod as
// saved: the first field that differs, or that the file is no mod
// definition or leaves augmentations out; empty text when it opens as saved.
inline QString OpensDifferently(const ModDefinition& mod)
{
    const QString file = composeModFile(mod);
    if (!looksLikeModDefinition(file))
        return QStringLiteral("no mod definition");
    ModReadReport report;
    const ModDefinition opened = readModDefinition(file, &report);
    if (!report.unplacedAugmentations.isEmpty())
        return QStringLiteral("augmentations left out: ") + report.unplacedAugmentations.join(u'|');
    return FirstDifference(opened, AsSaved(mod));
}

// What the game makes of the file Save writes for the mod: the first of the
// name, the entry's listing, the Description and the settings the loader
// takes from it that differs from what was saved; empty text when the game
// reads it as saved.
inline QString GameReadsDifferently(const ModDefinition& mod)
{
    const QList<GameObject> objects = readGameObjects(composeModFile(mod));
    if (objects.size() != 1)
        return QStringLiteral("%1 Object lines").arg(objects.size());
    const GameObject& object = objects.first();
    if (!object.listed())
        return QStringLiteral("not listed: class \"%1\", meta-class \"%2\"")
            .arg(object.className.value, object.metaClass.value);
    if (object.name.value != mod.name)
        return QStringLiteral("name: \"%1\"").arg(object.name.value);
    if (object.description.value != composeDescription(mod))
        return QStringLiteral("description: \"%1\"").arg(object.description.value.left(200));
    ModDefinition settings = readLoaderSettings(object.description.value);
    settings.name = mod.name;
    const QString difference = FirstDifference(settings, AsSaved(mod));
    return difference.isEmpty() ? QString() : QStringLiteral("loader's settings: ") + difference;
}

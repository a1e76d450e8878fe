#include "ModFormat.h"

#include "Numeric.h"
#include "game/AnsiText.h"

#include <QStringList>

#include <algorithm>

namespace {

const QString ItemSeparator = QStringLiteral("; ");
const QString ObjectOpening = QStringLiteral("Object=(Name=\"");
const QString ObjectMiddle = QStringLiteral("\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\"");
const QString ObjectClosing = QStringLiteral("\")");

const QString DefaultPackage = QStringLiteral("DeusEx.");

bool hasPackage(const QString& entry)
{
    // Entries are short: a plain loop beats a call into the library's search.
    return std::any_of(entry.cbegin(), entry.cend(), [](QChar c) { return c == u'.'; });
}

// The inventory as written, "DeusEx.MedKit(2);DeusEx.WeaponPistol;", in one
// buffer of its exact length: a long inventory is most of a large file.
QString inventoryList(const QStringList& inventory)
{
    qsizetype length = 0;
    for (const QString& entry : inventory)
        length += (hasPackage(entry) ? 0 : DefaultPackage.size()) + entry.size() + 1;
    QString list(length, Qt::Uninitialized);
    QChar* out = list.data();
    for (const QString& entry : inventory) {
        if (!hasPackage(entry))
            out = std::copy_n(DefaultPackage.constData(), DefaultPackage.size(), out);
        out = std::copy_n(entry.constData(), entry.size(), out);
        *out++ = u';';
    }
    return list;
}

bool writesPlayerClass(const QString& playerClass)
{
    return !playerClass.isEmpty() && playerClass != QLatin1String(PlaceholderPlayerClass);
}

bool writesSplashMap(const QString& splash)
{
    return !splash.isEmpty() && splash != QLatin1String(PlaceholderSplashMap);
}

// One value of the file as the user knows it, and what may not stand in it.
struct FieldValue
{
    QString field;
    QString value;
    bool inDescription; // a ";" ends an item or list entry there
};

QList<FieldValue> valuesInFileOrder(const ModDefinition& mod)
{
    QList<FieldValue> values;
    values.append({QStringLiteral("Mod Name"), mod.name, false});
    for (const QString& entry : mod.inventory)
        values.append({QStringLiteral("Current Inventory (entry \"%1\")").arg(entry), entry, true});
    if (writesPlayerClass(mod.playerClass))
        values.append({QStringLiteral("PlayerClass"), mod.playerClass, true});
    if (IsNumericText(mod.credits))
        values.append({QStringLiteral("Starting Credits"), mod.credits, true});
    if (IsNumericText(mod.skillPoints))
        values.append({QStringLiteral("Initial Skill Points"), mod.skillPoints, true});
    if (writesSplashMap(mod.splashMap))
        values.append({QStringLiteral("Splash Map"), mod.splashMap, true});
    values.append({QStringLiteral("Starting Map"), mod.startingMap, true});
    return values;
}

QString describeCharacter(QChar c)
{
    return QStringLiteral("\"%1\" (U+%2)").arg(QString(c)).arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString EncodeInventoryEntry(const QString& entry)
{
    if (hasPackage(entry))
        return entry;
    return DefaultPackage + entry;
}

QString EncodeSkillLevel(const QString& levelText)
{
    // A level such as "2.5" passes the level check and is written as "1.5",
    // the shortest decimal text of the value minus one, so that it opens
    // again as "2.5". The loader itself only ever sees whole levels from
    // this program's spinners.
    return ShortestDecimal(NumericValue(levelText) - 1.0);
}

QString ComposeDescription(const ModDefinition& mod)
{
    const QString inventory = inventoryList(mod.inventory);
    QString d;
    // Everything but the inventory takes a few hundred characters.
    d.reserve(inventory.size() + 1024);
    if (mod.action)
        d += QStringLiteral("Action=Start") + ItemSeparator;

    if (!mod.inventory.isEmpty()) {
        d += QStringLiteral("Inv=");
        d += inventory;
        d += ItemSeparator;
    }

    if (writesPlayerClass(mod.playerClass))
        d += QStringLiteral("Class=") + mod.playerClass + ItemSeparator;
    if (IsNumericText(mod.credits))
        d += QStringLiteral("Credits=") + mod.credits + ItemSeparator;
    if (IsNumericText(mod.skillPoints))
        d += QStringLiteral("SkillPts=") + mod.skillPoints + ItemSeparator;

    d += QStringLiteral("Skills=");
    for (const QString& level : mod.skillLevels)
        d += EncodeSkillLevel(level) + u';';
    d += ItemSeparator;

    QString augs;
    for (int slot = 0; slot < AugSlotCount; ++slot) {
        if (mod.augSlots[slot].isEmpty())
            continue;
        augs += QStringLiteral("DeusEx.%1(%2);").arg(mod.augSlots[slot]).arg(mod.augLevels[slot]);
    }
    if (!augs.isEmpty())
        d += QStringLiteral("Aug=") + augs + ItemSeparator;

    if (writesSplashMap(mod.splashMap))
        d += QStringLiteral("Splash=") + mod.splashMap + ItemSeparator;

    d += QStringLiteral("Map=") + mod.startingMap;
    return d;
}

QString ComposeModFile(const ModDefinition& mod)
{
    const QString description = ComposeDescription(mod);
    const QString opening = QStringLiteral("[Public]\r\n") + ObjectOpening;
    QString file;
    file.reserve(opening.size() + mod.name.size() + ObjectMiddle.size() + description.size() + ObjectClosing.size());
    file += opening;
    file += mod.name;
    file += ObjectMiddle;
    file += description;
    file += ObjectClosing;
    return file;
}

std::optional<UnsavableValue> FindUnsavableValue(const ModDefinition& mod)
{
    for (const FieldValue& v : valuesInFileOrder(mod)) {
        if (v.value.contains(u'\r') || v.value.contains(u'\n')) {
            return UnsavableValue{v.field, QStringLiteral("The mod can't be saved: the %1 field contains a line "
                                                          "break, which would break the mod file.")
                                               .arg(v.field)};
        }
        if (!v.inDescription && v.value.contains(u'"')) {
            return UnsavableValue{v.field, QStringLiteral("The mod can't be saved: the %1 field contains a double "
                                                          "quote (\"), which would end the name early when the "
                                                          "mod is opened again.")
                                               .arg(v.field)};
        }
        if (v.inDescription && v.value.contains(u';')) {
            return UnsavableValue{v.field, QStringLiteral("The mod can't be saved: the %1 field contains a "
                                                          "semicolon (;), which would cut the value short when the "
                                                          "mod is opened again.")
                                               .arg(v.field)};
        }
        if (v.value.contains(ObjectClosing)) {
            return UnsavableValue{v.field, QStringLiteral("The mod can't be saved: the %1 field contains \"), "
                                                          "which would end the mod definition early when it is "
                                                          "opened again.")
                                               .arg(v.field)};
        }
    }

    // Skill levels are written as numbers and augmentations come from the
    // catalogue, so only the typed values can hold such a character.
    for (const FieldValue& v : valuesInFileOrder(mod)) {
        const qsizetype bad = AnsiText::FirstUnencodable(v.value);
        if (bad >= 0) {
            return UnsavableValue{v.field, QStringLiteral("The mod can't be saved: the %1 field contains the "
                                                          "character %2, which a Deus Ex mod file cannot hold.")
                                               .arg(v.field, describeCharacter(v.value.at(bad)))};
        }
    }
    return std::nullopt;
}

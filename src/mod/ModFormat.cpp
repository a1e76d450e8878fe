#include "ModFormat.h"

#include "GameReading.h"
#include "ModKeys.h"
#include "ModReader.h"
#include "Numeric.h"
#include "files/AnsiText.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <iterator>

namespace {

using namespace ModKeys;

// Items of the Description end in "; ", the entries of a list in ";".
const QString ItemEnd = ItemSeparator.toString();
const QString ListEntryEnd = EntryEnd.toString();
const QString GamePackage = DefaultPackage.toString();

// The Object line around the mod's name and its Description.
const QString ObjectLineOpening = joined({Object, ObjectOpening, Name, ValueQuote});
const QString ObjectLineMiddle = joined({ValueQuote, ValueSeparator, Class, LoaderEntryClass, ValueSeparator, MetaClass,
                                         LoaderMetaClass, ValueSeparator, Description, ValueQuote});
const QString ObjectLineClosing = joined({ValueQuote, ObjectClosing});

const QString FileOpening = joined({Section, u"\r\n", ObjectLineOpening});

// The inventory as written, "DeusEx.MedKit(2);DeusEx.WeaponPistol;": an
// entry without a package is one of the game's own.
QString writtenEntry(const QString& entry)
{
    return entry.contains(u'.') ? entry : GamePackage + entry;
}

QString inventoryList(const QStringList& inventory)
{
    QString list;
    for (const QString& entry : inventory)
        list += writtenEntry(entry) + ListEntryEnd;
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

// How Open finds where a value ends.
enum class ReadUpTo
{
    Quote,        // the mod name
    Semicolon,    // items and list entries of the Description
    ClosingQuote, // the starting map, the last item: up to the closing ")
};

// One value of the file, the field it is in and how it is read back.
struct FieldValue
{
    const char* field; // as the user knows it; none for an inventory entry
    const QString* value;
    ReadUpTo end; // every value but the name stands in the Description
};

QString fieldName(const FieldValue& v)
{
    return v.field ? QString::fromLatin1(v.field) : QStringLiteral("Current Inventory (entry \"%1\")").arg(*v.value);
}

FieldValue inventoryEntryValue(const QString& entry)
{
    return FieldValue{nullptr, &entry, ReadUpTo::Semicolon};
}

// A typed item's value after its key, and whether Save writes the item.
struct ItemValue
{
    qsizetype ReadStarts::*start;
    QStringView key;
    FieldValue value;
    bool written;
};

// The typed items' values, in file order.
std::array<ItemValue, 5> itemValues(const ModDefinition& mod)
{
    return {{
        {&ReadStarts::playerClass,
         PlayerClass,
         {"PlayerClass", &mod.playerClass, ReadUpTo::Semicolon},
         writesPlayerClass(mod.playerClass)},
        {&ReadStarts::credits,
         Credits,
         {"Starting Credits", &mod.credits, ReadUpTo::Semicolon},
         isNumericText(mod.credits)},
        {&ReadStarts::skillPoints,
         SkillPoints,
         {"Initial Skill Points", &mod.skillPoints, ReadUpTo::Semicolon},
         isNumericText(mod.skillPoints)},
        {&ReadStarts::splashMap,
         Splash,
         {"Splash Map", &mod.splashMap, ReadUpTo::Semicolon},
         writesSplashMap(mod.splashMap)},
        {&ReadStarts::startingMap, Map, {"Starting Map", &mod.startingMap, ReadUpTo::ClosingQuote}, true},
    }};
}

// Calls visit with every value in file order until it returns true; says
// whether one did.
template <class Visit> bool visitValuesInFileOrder(const ModDefinition& mod, Visit visit)
{
    if (visit(FieldValue{"Mod Name", &mod.name, ReadUpTo::Quote}))
        return true;
    for (const QString& entry : mod.inventory) {
        if (visit(inventoryEntryValue(entry)))
            return true;
    }
    for (const ItemValue& item : itemValues(mod)) {
        if (item.written && visit(item.value))
            return true;
    }
    return false;
}

// Whether a value holds a text that Open searches the file for.
bool holdsSearchedKey(const QString& value)
{
    const QList<SearchedKey>& keys = searchedKeys();
    return std::any_of(keys.cbegin(), keys.cend(),
                       [&value](const SearchedKey& key) { return value.contains(key.text, key.sensitivity); });
}

// The character at `at` as it was typed, and its code point: "ж" (U+0436).
// A character beyond U+FFFF is one pair of UTF-16 units, shown whole.
QString describeCharacter(const QString& text, qsizetype at)
{
    qsizetype length = 1;
    char32_t code = text.at(at).unicode();
    if (text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate()) {
        code = QChar::surrogateToUcs4(text.at(at), text.at(at + 1));
        length = 2;
    }
    const QString codePoint = QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("\"%1\" (U+%2)").arg(text.mid(at, length), codePoint);
}

// Appends the Description value to out; with items given, records where
// each item's key stands in out (1-based, 0 for an item left out).
void appendDescription(QString& out, const ModDefinition& mod, ReadStarts* items)
{
    if (items)
        *items = ReadStarts{0, 0, 0, 0, 0, 0, 0, 0, 0};
    const auto item = [&out, items](qsizetype ReadStarts::*start, QStringView key) {
        if (items)
            items->*start = out.size() + 1;
        out += key;
    };
    if (mod.action) {
        item(&ReadStarts::action, Action);
        out += ItemEnd;
    }

    if (!mod.inventory.isEmpty()) {
        item(&ReadStarts::inventory, Inventory);
        out += inventoryList(mod.inventory) + ItemEnd;
    }

    if (writesPlayerClass(mod.playerClass)) {
        item(&ReadStarts::playerClass, PlayerClass);
        out += mod.playerClass + ItemEnd;
    }
    if (isNumericText(mod.credits)) {
        item(&ReadStarts::credits, Credits);
        out += mod.credits + ItemEnd;
    }
    if (isNumericText(mod.skillPoints)) {
        item(&ReadStarts::skillPoints, SkillPoints);
        out += mod.skillPoints + ItemEnd;
    }

    item(&ReadStarts::skills, ModKeys::Skills);
    for (const QString& level : mod.skillLevels)
        out += encodeSkillLevel(level) + ListEntryEnd;
    out += ItemEnd;

    QString augs;
    for (int slot = 0; slot < AugSlotCount; ++slot) {
        if (mod.augSlots[slot].isEmpty())
            continue;
        augs += GamePackage + QStringLiteral("%1(%2)").arg(mod.augSlots[slot]).arg(mod.augLevels[slot]) + ListEntryEnd;
    }
    if (!augs.isEmpty()) {
        item(&ReadStarts::augmentations, Augmentations);
        out += augs + ItemEnd;
    }

    if (writesSplashMap(mod.splashMap)) {
        item(&ReadStarts::splashMap, Splash);
        out += mod.splashMap + ItemEnd;
    }

    item(&ReadStarts::startingMap, Map);
    out += mod.startingMap;
}

// The whole file; with items given, where each item's key stands in it.
QString composeModFile(const ModDefinition& mod, ReadStarts* items)
{
    // The Description goes straight into the file, where its items' places
    // are counted.
    QString file = FileOpening + mod.name + ObjectLineMiddle;
    appendDescription(file, mod, items);
    file += ObjectLineClosing;
    return file;
}

// The typed value whose text in the file holds the 0-based position at.
std::optional<FieldValue> valueAt(const ModDefinition& mod, const ReadStarts& items, qsizetype at)
{
    const auto holds = [at](qsizetype valueAt, qsizetype size) { return at >= valueAt && at < valueAt + size; };
    if (holds(FileOpening.size(), mod.name.size()))
        return FieldValue{"Mod Name", &mod.name, ReadUpTo::Quote};
    if (items.inventory > 0) {
        qsizetype entryAt = items.inventory - 1 + Inventory.size();
        for (const QString& entry : mod.inventory) {
            const qsizetype size = writtenEntry(entry).size();
            if (holds(entryAt, size))
                return inventoryEntryValue(entry);
            entryAt += size + 1;
        }
    }
    for (const ItemValue& item : itemValues(mod)) {
        const qsizetype start = items.*item.start;
        if (start > 0 && holds(start - 1 + item.key.size(), item.value.value->size()))
            return item.value;
    }
    return std::nullopt;
}

// A key text inside a value that Open would find in place of its item, with
// the value that holds it. Open reads the file Save would write twice: as
// Open does, and with every search begun at the item Save wrote (or finding
// nothing where Save left the item out). Where the two differ, the key Open
// found first was one inside a value.
struct MisreadKey
{
    FieldValue value;
    QString key; // as the value spells it
};

// The text read is the whole file, as Open reads it, or the Description
// alone, as the loader reads it; it stands in the file from offset on, and
// open gives where its reader begins each search.
std::optional<MisreadKey> findMisreadKey(const ModDefinition& mod, const ReadStarts& items, const QString& text,
                                         qsizetype offset, const ReadStarts& open)
{
    // The items Save wrote, counted in the text read.
    ReadStarts written = items;
    for (qsizetype ReadStarts::*start :
         {&ReadStarts::action, &ReadStarts::inventory, &ReadStarts::playerClass, &ReadStarts::credits,
          &ReadStarts::skillPoints, &ReadStarts::skills, &ReadStarts::augmentations, &ReadStarts::splashMap,
          &ReadStarts::startingMap}) {
        if (written.*start > 0)
            written.*start -= offset;
    }
    ModReadReport openedReport;
    ModReadReport meantReport;
    const ModDefinition opened = readModDefinition(text, open, &openedReport);
    const ModDefinition meant = readModDefinition(text, written, &meantReport);

    // Open searches the player class from the first "Description=" on, so
    // one in the name moves where the search begins.
    const qsizetype descriptionAt = open.playerClass - 1 + offset;
    const bool descriptionInName =
        descriptionAt >= FileOpening.size() && descriptionAt < FileOpening.size() + mod.name.size();

    // Each field that reads differently, with the key its search found first
    // and where that search began.
    struct Misread
    {
        bool differs;
        QStringView key;
        qsizetype from;
    };
    const Misread misreads[] = {
        {opened.action != meant.action, Action, open.action},
        {opened.inventory != meant.inventory, Inventory, open.inventory},
        // Open looks for the player class from the first "Description=" on.
        {opened.playerClass != meant.playerClass, descriptionInName ? Description : PlayerClass, open.playerClass},
        {opened.credits != meant.credits, Credits, open.credits},
        {opened.skillPoints != meant.skillPoints, SkillPoints, open.skillPoints},
        {opened.skillLevels != meant.skillLevels, ModKeys::Skills, open.skills},
        {opened.augSlots != meant.augSlots || opened.augLevels != meant.augLevels ||
             openedReport.unplacedAugmentations != meantReport.unplacedAugmentations,
         Augmentations, open.augmentations},
        {opened.splashMap != meant.splashMap, Splash, open.splashMap},
        {opened.startingMap != meant.startingMap, Map, open.startingMap},
    };

    // The value holding the first of those keys in the file.
    std::optional<MisreadKey> first;
    qsizetype firstAt = text.size();
    for (const Misread& m : misreads) {
        if (!m.differs || m.from <= 0)
            continue;
        const qsizetype at = text.indexOf(m.key, m.from - 1, Qt::CaseInsensitive);
        if (at < 0 || at >= firstAt)
            continue;
        if (const auto value = valueAt(mod, items, at + offset)) {
            first = MisreadKey{*value, text.mid(at, m.key.size())};
            firstAt = at;
        }
    }
    return first;
}

// The Description's parts in file order, as the user knows them, for telling
// where the game would cut it.
struct DescriptionPart
{
    qsizetype ReadStarts::*start;
    const char* field; // as an UnsavableValue names it
    const char* part;  // as a message names it
};

constexpr DescriptionPart DescriptionParts[] = {
    {&ReadStarts::action, "Show difficulty and skills screens", "Show difficulty and skills screens setting"},
    {&ReadStarts::inventory, "Current Inventory", "Current Inventory"},
    {&ReadStarts::playerClass, "PlayerClass", "PlayerClass field"},
    {&ReadStarts::credits, "Starting Credits", "Starting Credits field"},
    {&ReadStarts::skillPoints, "Initial Skill Points", "Initial Skill Points field"},
    {&ReadStarts::skills, "Skills", "skill levels"},
    {&ReadStarts::augmentations, "Augmentations", "augmentations"},
    {&ReadStarts::splashMap, "Splash Map", "Splash Map field"},
    {&ReadStarts::startingMap, "Starting Map", "Starting Map field"},
};

// The part of the Description whose text holds the 0-based position at of
// the file; a separator "; " belongs to the part after it.
const DescriptionPart& descriptionPartAt(const ReadStarts& items, qsizetype at)
{
    for (auto part = std::rbegin(DescriptionParts); part != std::rend(DescriptionParts); ++part) {
        const qsizetype start = items.*(part->start);
        if (start > 0 && at >= start - 1 - ItemEnd.size())
            return *part;
    }
    return DescriptionParts[0];
}

UnsavableValue refusal(const QString& field, const QString& reason)
{
    return UnsavableValue{field, reason, QStringLiteral("The mod can't be saved: %1.").arg(reason)};
}

// A key the game finds inside the name of the file Save would write, ahead
// of the real one, where it changes what the game reads.
std::optional<UnsavableValue> findGameKeyInName(const ModDefinition& mod, const GameObject& object)
{
    struct KeyInName
    {
        const GameValue& value;
        bool matters;
        const char* readAs;
    };
    const KeyInName keys[] = {
        {object.className, object.className.value.compare(LoaderEntryClass, Qt::CaseInsensitive) != 0,
         "which the game would read as the mod's class, so the mod would not appear in the loader's list"},
        {object.metaClass, object.metaClass.value.compare(LoaderMetaClass, Qt::CaseInsensitive) != 0,
         "which the game would read as the mod's meta-class, so the mod would not appear in the loader's list"},
        {object.description, true,
         "which the game would read as the start of the mod's settings, so the mod would not start with its own "
         "settings"},
    };
    const qsizetype nameAt = FileOpening.size();
    const qsizetype nameEnd = nameAt + mod.name.size();
    const KeyInName* first = nullptr;
    for (const KeyInName& key : keys) {
        const qsizetype at = object.lineAt + key.value.keyAt;
        if (key.matters && key.value.keyAt >= 0 && at >= nameAt && at < nameEnd &&
            (!first || key.value.keyAt < first->value.keyAt))
            first = &key;
    }
    if (!first)
        return std::nullopt;
    const QString spelled = object.line.sliced(first->value.keyAt, first->value.valueAt - first->value.keyAt -
                                                                       (first->value.quoted ? 1 : 0));
    return refusal(QStringLiteral("Mod Name"),
                   QStringLiteral("the Mod Name field contains \"%1\", %2").arg(spelled, QLatin1String(first->readAs)));
}

// Where the game's reading of the file Save would write differs from what
// was typed: the name, the Description and a listed entry are all it reads.
std::optional<UnsavableValue> findGameMisreading(const ModDefinition& mod, const QString& file, const ReadStarts& items)
{
    const qsizetype descriptionAt = FileOpening.size() + mod.name.size() + ObjectLineMiddle.size();
    const QStringView description =
        QStringView(file).sliced(descriptionAt, file.size() - ObjectLineClosing.size() - descriptionAt);
    const QList<GameObject> objects = readGameObjects(file);
    if (objects.size() == 1 && objects.first().listed() && objects.first().name.value == mod.name &&
        objects.first().description.value == description)
        return std::nullopt;

    const QString name = QStringLiteral("Mod Name");
    if (objects.size() == 1) {
        if (auto key = findGameKeyInName(mod, objects.first()))
            return key;
    }

    if (mod.name.size() > GameValueLength) {
        return refusal(name, QStringLiteral("the Mod Name field holds %1 characters, more than the %2 the game reads, "
                                            "so the loader's list would show the name cut short")
                                 .arg(mod.name.size())
                                 .arg(GameValueLength));
    }
    if (description.size() > GameValueLength) {
        const DescriptionPart& part = descriptionPartAt(items, descriptionAt + GameValueLength);
        return refusal(QLatin1String(part.field),
                       QStringLiteral("the mod's settings come to %1 characters, more than the %2 the game reads, so "
                                      "the game would lose them from the %3 on")
                           .arg(description.size())
                           .arg(GameValueLength)
                           .arg(QLatin1String(part.part)));
    }
    return refusal(QString(), QStringLiteral("the game would read the mod otherwise than the pages show it"));
}

} // namespace

QString encodeSkillLevel(const QString& levelText)
{
    // A level such as "2.5" passes the level check and is written as "1.5",
    // so that it opens again as "2.5". The fewest digits that open as the same
    // level are written: 1.1 - 1 is 0.10000000000000009 in binary, but "0.1"
    // reads back as 1.1 all the same. The loader itself only ever sees whole
    // levels from this program's spinners.
    const double level = numericValue(levelText);
    const double value = level - 1.0;
    for (int digits = 1; digits <= 17; ++digits) {
        const double rounded = QString::number(value, 'g', digits).toDouble();
        if (rounded + 1.0 == level)
            return shortestDecimal(rounded);
    }
    return shortestDecimal(value);
}

QString composeDescription(const ModDefinition& mod)
{
    QString description;
    appendDescription(description, mod, nullptr);
    return description;
}

QString composeModFile(const ModDefinition& mod)
{
    return composeModFile(mod, nullptr);
}

std::optional<UnsavableValue> findUnsavableValue(const ModDefinition& mod)
{
    std::optional<UnsavableValue> found;
    bool holdsKey = false;
    const auto problem = [&found](const FieldValue& v, const QString& reason) {
        const QString field = fieldName(v);
        const QString said = reason.arg(field);
        found = UnsavableValue{field, said, QStringLiteral("The mod can't be saved: %1.").arg(said)};
        return true;
    };
    visitValuesInFileOrder(mod, [&](const FieldValue& v) {
        const QString& value = *v.value;
        if (value.contains(u'\r') || value.contains(u'\n'))
            return problem(v, QStringLiteral("the %1 field contains a line break, which would break the mod file"));
        if (v.end == ReadUpTo::Quote && value.contains(u'"')) {
            return problem(v, QStringLiteral("the %1 field contains a double quote (\"), which would end the name "
                                             "early when the mod is opened again"));
        }
        // The game reads the Description up to its first quote, wherever
        // Open would read on.
        if (value.contains(u'"')) {
            return problem(v, QStringLiteral("the %1 field contains a double quote (\"), which ends the mod's "
                                             "settings early when the game reads them"));
        }
        if (v.end == ReadUpTo::Semicolon && value.contains(u';')) {
            return problem(v, QStringLiteral("the %1 field contains a semicolon (;), which would cut the value "
                                             "short when the mod is opened again"));
        }
        holdsKey = holdsKey || holdsSearchedKey(value);
        return false;
    });
    // The file as Save would write it, read as the game reads it, then as
    // Open does.
    ReadStarts items;
    if (found) {
        // The name comes first in the file, and a key in it keeps the mod
        // out of the loader's list, which matters more than any setting.
        if (found->field != QLatin1String("Mod Name")) {
            const QList<GameObject> objects = readGameObjects(composeModFile(mod, &items));
            if (objects.size() == 1) {
                if (auto key = findGameKeyInName(mod, objects.first()))
                    return key;
            }
        }
        return found;
    }
    const QString file = composeModFile(mod, &items);
    if (auto misread = findGameMisreading(mod, file, items))
        return misread;

    // A key inside a value matters only where a reader finds it before the
    // real item, or where Save leaves that item out: the loader, reading the
    // Description alone, and Open, reading the whole file.
    if (holdsKey) {
        const qsizetype descriptionAt = FileOpening.size() + mod.name.size() + ObjectLineMiddle.size();
        const QString description = file.sliced(descriptionAt, file.size() - ObjectLineClosing.size() - descriptionAt);
        const struct
        {
            const QString& text;
            qsizetype offset;
            ReadStarts starts;
            const char* readAs;
        } readings[] = {
            {description, descriptionAt, ReadStarts{}, "which the game would read as another of the mod's settings"},
            {file, 0, openStarts(file), "which would be read as another setting of the mod when it is opened again"},
        };
        for (const auto& reading : readings) {
            if (const auto misread = findMisreadKey(mod, items, reading.text, reading.offset, reading.starts)) {
                const QString field = fieldName(misread->value);
                const QString reason = QStringLiteral("the %1 field contains \"%2\", %3")
                                           .arg(field, misread->key, QLatin1String(reading.readAs));
                return UnsavableValue{field, reason, QStringLiteral("The mod can't be saved: %1.").arg(reason)};
            }
        }
    }

    // Skill levels are written as numbers and augmentations come from the
    // catalogue, so only the typed values can hold such a character.
    visitValuesInFileOrder(mod, [&](const FieldValue& v) {
        const qsizetype bad = AnsiText::firstUnencodable(*v.value);
        if (bad < 0)
            return false;
        const QString field = fieldName(v);
        const QString reason =
            QStringLiteral("the %1 field contains the character %2, which a Deus Ex mod file cannot hold")
                .arg(field, describeCharacter(*v.value, bad));
        found = UnsavableValue{field, reason, QStringLiteral("The mod can't be saved: %1.").arg(reason)};
        return true;
    });
    return found;
}

QString gameReadingMessage(const GameReadingDifference& difference, const ModDefinition& shown)
{
    using Settings = GameReadingDifference::Settings;
    QStringList told;
    if (!difference.listed) {
        QStringList readAs;
        if (difference.className.compare(LoaderEntryClass, Qt::CaseInsensitive) != 0) {
            readAs.append(QStringLiteral("it reads the mod's class as \"%1\", not \"%2\"")
                              .arg(difference.className, LoaderEntryClass));
        }
        if (difference.metaClass.compare(LoaderMetaClass, Qt::CaseInsensitive) != 0) {
            readAs.append(QStringLiteral("it reads the mod's meta-class as \"%1\", not \"%2\"")
                              .arg(difference.metaClass, LoaderMetaClass));
        }
        if (difference.objectLines == 0)
            readAs = QStringList{QStringLiteral("it finds no Object= line in the file's [Public] section")};
        told.append(QStringLiteral("The game will not list this mod in the loader's list: %1.")
                        .arg(readAs.join(QStringLiteral(", and "))));
    } else {
        if (difference.nameDiffers && difference.listedName.size() == GameValueLength &&
            shown.name.startsWith(difference.listedName)) {
            told.append(QStringLiteral("The loader's list will show only the first %1 of the %2 characters of this "
                                       "mod's name.")
                            .arg(GameValueLength)
                            .arg(shown.name.size()));
        } else if (difference.nameDiffers) {
            // A name as long as a text box holds would make the box taller
            // than the screen.
            const auto elided = [](const QString& text) {
                constexpr qsizetype Shown = 80;
                return text.size() > Shown ? text.left(Shown) + QChar(0x2026) : text;
            };
            told.append(QStringLiteral("The loader's list will show this mod as \"%1\", not as \"%2\".")
                            .arg(elided(difference.listedName), elided(shown.name)));
        }
        QString parts = difference.settingsNotAsShown.join(QStringLiteral(", "));
        if (const qsizetype last = parts.lastIndexOf(QLatin1String(", ")); last >= 0)
            parts.replace(last, 2, QStringLiteral(" and "));
        const QString notAsShown = QStringLiteral("so the mod will not start with the %1 shown here.").arg(parts);
        switch (difference.settings) {
        case Settings::AsShown:
            break;
        case Settings::EndAtQuote:
            told.append(QStringLiteral("The game reads this mod's settings only up to a double quote (\"), %1")
                            .arg(notAsShown));
            break;
        case Settings::TooLong:
            told.append(QStringLiteral("The game reads only the first %1 of the %2 characters of this mod's "
                                       "settings, %3")
                            .arg(GameValueLength)
                            .arg(difference.settingsLength)
                            .arg(notAsShown));
            break;
        case Settings::CutBySection:
            told.append(QStringLiteral("The file's [Public] section is longer than the %1 characters the game "
                                       "reads of it, %2")
                            .arg(GameSectionLength)
                            .arg(notAsShown));
            break;
        case Settings::FromName:
            told.append(QStringLiteral("The game reads this mod's settings from the \"%1\" in its name, %2")
                            .arg(difference.keyInName, notAsShown));
            break;
        case Settings::Otherwise:
            told.append(QStringLiteral("The game reads this mod's settings in another way, %1").arg(notAsShown));
            break;
        }
    }
    // Save writes the Object line anew, so only what Save refuses needs the
    // user's hand.
    const auto unsavable = findUnsavableValue(shown);
    return told.join(u' ') + u'\n' +
           (unsavable ? QStringLiteral("Change this before saving the mod: %1.").arg(unsavable->reason)
                      : QStringLiteral("Saving the mod writes it the way the game reads it."));
}

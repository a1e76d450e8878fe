#include "ModFormat.h"

#include "ModReader.h"
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
    ReadUpTo end;
};

QString fieldName(const FieldValue& v)
{
    return v.field ? QString::fromLatin1(v.field) : QStringLiteral("Current Inventory (entry \"%1\")").arg(*v.value);
}

// Calls visit with every value in file order until it returns true; says
// whether one did.
template <class Visit> bool visitValuesInFileOrder(const ModDefinition& mod, Visit visit)
{
    if (visit(FieldValue{"Mod Name", &mod.name, ReadUpTo::Quote}))
        return true;
    for (const QString& entry : mod.inventory) {
        if (visit(FieldValue{nullptr, &entry, ReadUpTo::Semicolon}))
            return true;
    }
    if (writesPlayerClass(mod.playerClass) && visit(FieldValue{"PlayerClass", &mod.playerClass, ReadUpTo::Semicolon}))
        return true;
    if (IsNumericText(mod.credits) && visit(FieldValue{"Starting Credits", &mod.credits, ReadUpTo::Semicolon}))
        return true;
    if (IsNumericText(mod.skillPoints) &&
        visit(FieldValue{"Initial Skill Points", &mod.skillPoints, ReadUpTo::Semicolon}))
        return true;
    if (writesSplashMap(mod.splashMap) && visit(FieldValue{"Splash Map", &mod.splashMap, ReadUpTo::Semicolon}))
        return true;
    return visit(FieldValue{"Starting Map", &mod.startingMap, ReadUpTo::ClosingQuote});
}

constexpr bool everySearchedKeyHoldsEquals()
{
    for (const SearchedKey& key : SearchedKeys) {
        bool equals = false;
        for (const char* c = key.text; *c; ++c)
            equals = equals || *c == '=';
        if (!equals)
            return false;
    }
    return true;
}
static_assert(everySearchedKeyHoldsEquals(), "values without \"=\" are taken to hold no key");

// Whether a value holds a character that one of the checks looks for: a line
// break, a quote, a ";", the "=" of every searched key, or anything beyond
// ASCII. Most values hold none, and one look at each character clears them.
bool needsChecking(const QString& value)
{
    constexpr quint64 marks = (1ULL << '\r') | (1ULL << '\n') | (1ULL << '"') | (1ULL << ';') | (1ULL << '=');
    for (QChar c : value) {
        const char16_t u = c.unicode();
        if (u >= 0x80 || (u < 64 && ((marks >> u) & 1)))
            return true;
    }
    return false;
}

// The first key that Open searches the whole file for and would find inside
// the value, as the value spells it; empty text when there is none.
QString searchedKeyIn(const QString& value)
{
    for (const SearchedKey& key : SearchedKeys) {
        const QLatin1String text(key.text);
        const qsizetype at = value.indexOf(text, 0, key.sensitivity);
        if (at >= 0)
            return value.mid(at, text.size());
    }
    return {};
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
    // so that it opens again as "2.5". The fewest digits that open as the same
    // level are written: 1.1 - 1 is 0.10000000000000009 in binary, but "0.1"
    // reads back as 1.1 all the same. The loader itself only ever sees whole
    // levels from this program's spinners.
    const double level = NumericValue(levelText);
    const double value = level - 1.0;
    for (int digits = 1; digits <= 17; ++digits) {
        const double rounded = QString::number(value, 'g', digits).toDouble();
        if (rounded + 1.0 == level)
            return ShortestDecimal(rounded);
    }
    return ShortestDecimal(value);
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
    std::optional<UnsavableValue> found;
    bool anyChecked = false;
    const auto problem = [&found](const FieldValue& v, const QString& message) {
        const QString field = fieldName(v);
        found = UnsavableValue{field, message.arg(field)};
        return true;
    };
    visitValuesInFileOrder(mod, [&](const FieldValue& v) {
        if (!needsChecking(*v.value))
            return false;
        anyChecked = true;
        const QString& value = *v.value;
        if (value.contains(u'\r') || value.contains(u'\n')) {
            return problem(v, QStringLiteral("The mod can't be saved: the %1 field contains a line break, which "
                                             "would break the mod file."));
        }
        if (v.end == ReadUpTo::Quote && value.contains(u'"')) {
            return problem(v, QStringLiteral("The mod can't be saved: the %1 field contains a double quote (\"), "
                                             "which would end the name early when the mod is opened again."));
        }
        if (v.end == ReadUpTo::Semicolon && value.contains(u';')) {
            return problem(v, QStringLiteral("The mod can't be saved: the %1 field contains a semicolon (;), which "
                                             "would cut the value short when the mod is opened again."));
        }
        if (value.contains(ObjectClosing)) {
            return problem(v, QStringLiteral("The mod can't be saved: the %1 field contains \"), which would end "
                                             "the mod definition early when it is opened again."));
        }
        if (const QString key = searchedKeyIn(value); !key.isEmpty()) {
            const QString field = fieldName(v);
            found = UnsavableValue{field, QStringLiteral("The mod can't be saved: the %1 field contains \"%2\", "
                                                         "which would be read as another setting of the mod when it "
                                                         "is opened again.")
                                              .arg(field, key)};
            return true;
        }
        return false;
    });
    if (found || !anyChecked)
        return found;

    // Skill levels are written as numbers and augmentations come from the
    // catalogue, so only the typed values can hold such a character.
    visitValuesInFileOrder(mod, [&found](const FieldValue& v) {
        const qsizetype bad = AnsiText::FirstUnencodable(*v.value);
        if (bad < 0)
            return false;
        const QString field = fieldName(v);
        found = UnsavableValue{field, QStringLiteral("The mod can't be saved: the %1 field contains the character "
                                                     "%2, which a Deus Ex mod file cannot hold.")
                                          .arg(field, describeCharacter(*v.value, bad))};
        return true;
    });
    return found;
}

#include "ModReader.h"

#include "AugmentationCatalogue.h"
#include "GetField.h"
#include "ModKeys.h"
#include "Numeric.h"
#include "files/AnsiText.h"

#include <algorithm>
#include <utility>

namespace {

// Whether the key occurs at or after the 1-based position from.
bool contains(const QString& text, QStringView key, qsizetype from)
{
    return from > 0 && text.indexOf(key, from - 1, Qt::CaseInsensitive) >= 0;
}

// The field found from the 1-based position from, emptied when the key is missing.
QString field(const QString& text, QStringView key, QStringView endMark, qsizetype from)
{
    return GetField(from, text, key, endMark);
}

// The end of the last item, the Description's closing quote and the Object
// line's closing parenthesis.
QString descriptionEnd()
{
    return ModKeys::joined({ModKeys::ValueQuote, ModKeys::ObjectClosing});
}

// The class of an augmentation entry: everything after its first "DeusEx."
// (any case), or nothing when the entry has no package.
QString stripPackage(const QString& entry)
{
    qsizetype position = 1;
    return GetField(position, entry, ModKeys::DefaultPackage);
}

void readAugmentations(const QString& text, qsizetype position, ModDefinition& mod, ModReadReport& found)
{
    const QStringView semicolon = ModKeys::EntryEnd;
    QString entry = stripPackage(GetField(position, text, ModKeys::Augmentations, semicolon));
    while (!entry.isEmpty()) {
        QString className = entry;
        qint16 level = 0;
        // "AugSpeed(1)": the level is the digit before the closing parenthesis.
        const QChar digit = entry.size() >= 2 ? entry.at(entry.size() - 2) : QChar();
        if (digit >= u'0' && digit <= u'9') {
            level = static_cast<qint16>(digit.unicode() - u'0');
            className = entry.size() >= 3 ? entry.left(entry.size() - 3) : QString();
        }
        const int slot = className.isEmpty() ? NoAugSlot : FindAugSlot(className, mod.augSlots);
        if (slot == NoAugSlot) {
            found.unplacedAugmentations.append(entry);
        } else {
            mod.augSlots[slot] = className;
            mod.augLevels[slot] = level;
        }
        entry = stripPackage(GetField(position, text, semicolon, semicolon));
    }
}

void readSkills(const QString& text, qsizetype position, ModDefinition& mod)
{
    const QStringView semicolon = ModKeys::EntryEnd;
    QString value = GetField(position, text, ModKeys::Skills, semicolon);
    for (int index = 0; !value.isEmpty(); ++index) {
        if (index < SkillCount && isNumericText(value)) {
            const double level = numericValue(value) + 1.0;
            if (level > 0.0 && level < 5.0)
                mod.skillLevels[index] = shortestDecimal(level);
        }
        value = GetField(position, text, semicolon, semicolon);
    }
}

} // namespace

bool looksLikeModDefinition(const QString& text)
{
    // The rarer key is searched for across the file, then its line for the
    // other: no pass over every line with two case-blind searches each.
    const QString metaClass = ModKeys::joined({ModKeys::MetaClass, ModKeys::LoaderMetaClass});
    for (qsizetype at = text.indexOf(metaClass, 0, Qt::CaseInsensitive); at >= 0;) {
        const qsizetype lineStart = text.lastIndexOf(u'\n', at) + 1;
        qsizetype lineEnd = text.indexOf(u'\n', at);
        if (lineEnd < 0)
            lineEnd = text.size();
        const qsizetype objectAt = text.indexOf(ModKeys::Object, lineStart, Qt::CaseInsensitive);
        if (objectAt >= 0 && objectAt < lineEnd)
            return true;
        if (lineEnd == text.size())
            return false;
        at = text.indexOf(metaClass, lineEnd + 1, Qt::CaseInsensitive);
    }
    return false;
}

bool looksLikeUtf16(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return true;
    // Without a mark: the first characters, which in a mod file are plain
    // Latin ("[Public]"), each carry a zero byte on the same side.
    const qsizetype pairs = std::min<qsizetype>(bytes.size() / 2, 256);
    qsizetype zerosFirst = 0;
    qsizetype zerosSecond = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        zerosFirst += bytes.at(2 * i) == '\0';
        zerosSecond += bytes.at(2 * i + 1) == '\0';
    }
    return pairs > 0 && ((zerosSecond * 2 > pairs && zerosFirst == 0) || (zerosFirst * 2 > pairs && zerosSecond == 0));
}

std::optional<QString> overlongField(const ModDefinition& mod)
{
    const std::pair<const char*, const QString*> fields[] = {
        {"Mod Name", &mod.name},
        {"PlayerClass", &mod.playerClass},
        {"Starting Credits", &mod.credits},
        {"Initial Skill Points", &mod.skillPoints},
        {"Splash Map", &mod.splashMap},
        {"Starting Map", &mod.startingMap},
    };
    for (const auto& [field, value] : fields) {
        if (value->size() > MaxFieldLength)
            return QString::fromLatin1(field);
    }
    return std::nullopt;
}

const QList<SearchedKey>& searchedKeys()
{
    using namespace ModKeys;
    static const QList<SearchedKey> keys{
        {joined({Name, ValueQuote}), Qt::CaseInsensitive}, {Action.toString(), Qt::CaseInsensitive},
        {Inventory.toString(), Qt::CaseInsensitive},       {PlayerClass.toString(), Qt::CaseInsensitive},
        {Credits.toString(), Qt::CaseInsensitive},         {SkillPoints.toString(), Qt::CaseInsensitive},
        {ModKeys::Skills.toString(), Qt::CaseInsensitive}, {Augmentations.toString(), Qt::CaseInsensitive},
        {Splash.toString(), Qt::CaseInsensitive},          {Map.toString(), Qt::CaseInsensitive},
        {Description.toString(), Qt::CaseSensitive},
    };
    return keys;
}

ReadStarts openStarts(const QString& text)
{
    ReadStarts starts;
    const qsizetype descriptionAt = text.indexOf(ModKeys::Description);
    starts.playerClass = descriptionAt < 0 ? 0 : descriptionAt + 1;
    return starts;
}

ModDefinition readModDefinition(const QString& text, ModReadReport* report)
{
    return readModDefinition(text, openStarts(text), report);
}

// Every key searched for here stands in SearchedKeys.
ModDefinition readModDefinition(const QString& text, const ReadStarts& starts, ModReadReport* report)
{
    using namespace ModKeys;
    ModDefinition mod;
    ModReadReport found;
    const QStringView semicolon = EntryEnd;

    mod.name = field(text, joined({Name, ValueQuote}), ValueQuote, 1);
    mod.action = contains(text, Action, starts.action);

    if (contains(text, Inventory, starts.inventory)) {
        qsizetype position = starts.inventory;
        QString entry = GetField(position, text, Inventory, semicolon);
        // The first entry counts even when empty ("Inv=;" gives one empty row).
        mod.inventory.append(entry);
        appendListEntries(position, text, mod.inventory);
    }

    // A missing key reads as an empty first entry, which ends the list at
    // once: no search ahead of the reader's own.
    readAugmentations(text, starts.augmentations, mod, found);

    // The class is searched only up to the Object line's closing quote, so
    // inventory counts ahead of it don't hide it.
    qsizetype position = starts.playerClass;
    mod.playerClass = GetField(position, text, PlayerClass, semicolon, descriptionEnd());

    mod.credits = field(text, Credits, semicolon, starts.credits);
    mod.skillPoints = field(text, SkillPoints, semicolon, starts.skillPoints);
    readSkills(text, starts.skills, mod);
    mod.splashMap = field(text, Splash, semicolon, starts.splashMap);
    mod.startingMap = field(text, Map, descriptionEnd(), starts.startingMap);
    if (report)
        *report = found;
    return mod;
}

ModFileContents readModFile(const QByteArray& bytes)
{
    using Refusal = ModFileContents::Refusal;
    ModFileContents contents;
    if (bytes.isEmpty()) {
        contents.refusal = Refusal::Empty;
        return contents;
    }
    // Read as single-byte text it would only lack its Object= line.
    if (looksLikeUtf16(bytes)) {
        contents.refusal = Refusal::Utf16;
        return contents;
    }
    const QString text = AnsiText::decode(bytes);
    if (!looksLikeModDefinition(text)) {
        contents.refusal = Refusal::NoObjectLine;
        return contents;
    }
    contents.mod = readModDefinition(text, &contents.report);
    if (std::optional<QString> overlong = overlongField(contents.mod)) {
        contents.overlongField = std::move(*overlong);
        contents.refusal = Refusal::OverlongValue;
        return contents;
    }
    contents.game = compareGameReading(text, contents.mod);
    return contents;
}

#include "ModReader.h"

#include "AugmentationCatalogue.h"
#include "GetField.h"
#include "KeySearch.h"
#include "Numeric.h"
#include "files/AnsiText.h"

#include <algorithm>
#include <utility>

namespace {

// Whether the key occurs at or after the 1-based position from.
bool contains(const QString& text, const char* key, qsizetype from)
{
    return from > 0 && IndexOfKey(text, QString::fromLatin1(key), from - 1) >= 0;
}

// The field found from the 1-based position from, emptied when the key is missing.
QString field(const QString& text, const char* key, const QString& endMark, qsizetype from)
{
    return GetField(from, text, QString::fromLatin1(key), endMark);
}

// The class of an augmentation entry: everything after its first "DeusEx."
// (any case), or nothing when the entry has no package.
QString stripPackage(const QString& entry)
{
    qsizetype position = 1;
    return GetField(position, entry, QStringLiteral("DeusEx."));
}

void readAugmentations(const QString& text, qsizetype position, ModDefinition& mod, ModReadReport& found)
{
    const QString semicolon = QStringLiteral(";");
    QString entry = stripPackage(GetField(position, text, QStringLiteral("Aug="), semicolon));
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
    const QString semicolon = QStringLiteral(";");
    QString value = GetField(position, text, QStringLiteral("Skills="), semicolon);
    for (int index = 0; !value.isEmpty(); ++index) {
        if (index < SkillCount && IsNumericText(value)) {
            const double level = NumericValue(value) + 1.0;
            if (level > 0.0 && level < 5.0)
                mod.skillLevels[index] = ShortestDecimal(level);
        }
        value = GetField(position, text, semicolon, semicolon);
    }
}

} // namespace

bool LooksLikeModDefinition(const QString& text)
{
    // The rarer key is searched for across the file, then its line for the
    // other: no pass over every line with two case-blind searches each.
    const QString metaClass = QStringLiteral("MetaClass=Quenlar.MLGameInfo");
    const QString object = QStringLiteral("Object=");
    for (qsizetype at = IndexOfKey(text, metaClass); at >= 0;) {
        const qsizetype lineStart = text.lastIndexOf(u'\n', at) + 1;
        qsizetype lineEnd = IndexOfMark(text, u'\n', at);
        if (lineEnd < 0)
            lineEnd = text.size();
        const qsizetype objectAt = IndexOfKey(text, object, lineStart);
        if (objectAt >= 0 && objectAt < lineEnd)
            return true;
        if (lineEnd == text.size())
            return false;
        at = IndexOfKey(text, metaClass, lineEnd + 1);
    }
    return false;
}

bool LooksLikeUtf16(const QByteArray& bytes)
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

std::optional<QString> OverlongField(const ModDefinition& mod)
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

ReadStarts OpenStarts(const QString& text)
{
    ReadStarts starts;
    const qsizetype descriptionAt = text.indexOf(QLatin1String("Description="));
    starts.playerClass = descriptionAt < 0 ? 0 : descriptionAt + 1;
    return starts;
}

ModDefinition ReadModDefinition(const QString& text, ModReadReport* report)
{
    return ReadModDefinition(text, OpenStarts(text), report);
}

// Every key searched for here stands in SearchedKeys.
ModDefinition ReadModDefinition(const QString& text, const ReadStarts& starts, ModReadReport* report)
{
    ModDefinition mod;
    ModReadReport found;
    const QString semicolon = QStringLiteral(";");

    mod.name = field(text, "Name=\"", QStringLiteral("\""), 1);
    mod.action = contains(text, "Action=Start", starts.action);

    if (contains(text, "Inv=", starts.inventory)) {
        qsizetype position = starts.inventory;
        QString entry = GetField(position, text, QStringLiteral("Inv="), semicolon);
        // The first entry counts even when empty ("Inv=;" gives one empty row).
        mod.inventory.append(entry);
        AppendListEntries(position, text, mod.inventory);
    }

    // A missing key reads as an empty first entry, which ends the list at
    // once: no search ahead of the reader's own.
    readAugmentations(text, starts.augmentations, mod, found);

    // The class is searched only up to the Object line's closing quote, so
    // inventory counts ahead of it don't hide it.
    qsizetype position = starts.playerClass;
    mod.playerClass = GetField(position, text, QStringLiteral("Class="), semicolon, QStringLiteral("\")"));

    mod.credits = field(text, "Credits=", semicolon, starts.credits);
    mod.skillPoints = field(text, "SkillPts=", semicolon, starts.skillPoints);
    readSkills(text, starts.skills, mod);
    mod.splashMap = field(text, "Splash=", semicolon, starts.splashMap);
    mod.startingMap = field(text, "Map=", QStringLiteral("\")"), starts.startingMap);
    if (report)
        *report = found;
    return mod;
}

ModFileContents ReadModFile(const QByteArray& bytes)
{
    using Refusal = ModFileContents::Refusal;
    ModFileContents contents;
    if (bytes.isEmpty()) {
        contents.refusal = Refusal::Empty;
        return contents;
    }
    // Read as single-byte text it would only lack its Object= line.
    if (LooksLikeUtf16(bytes)) {
        contents.refusal = Refusal::Utf16;
        return contents;
    }
    const QString text = AnsiText::Decode(bytes);
    if (!LooksLikeModDefinition(text)) {
        contents.refusal = Refusal::NoObjectLine;
        return contents;
    }
    contents.mod = ReadModDefinition(text, &contents.report);
    if (std::optional<QString> overlong = OverlongField(contents.mod)) {
        contents.overlongField = std::move(*overlong);
        contents.refusal = Refusal::OverlongValue;
        return contents;
    }
    contents.game = CompareGameReading(text, contents.mod);
    return contents;
}

#include "GameReading.h"

#include "ModKeys.h"
#include "ModReader.h"

#include <algorithm>
#include <optional>

namespace {

bool isAsciiLetterOrDigit(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

// The engine folds ASCII letters only, where a case-blind search of Qt
// folds others too (the Kelvin sign as "K", the long s as "s").
bool matchesAsAscii(QStringView text, QStringView key)
{
    for (qsizetype i = 0; i < key.size(); ++i) {
        if (asciiLower(text[i].unicode()) != asciiLower(key[i].unicode()))
            return false;
    }
    return true;
}

qsizetype findGameKey(QStringView line, QStringView key)
{
    for (qsizetype at = line.indexOf(key, 0, Qt::CaseInsensitive); at >= 0;
         at = line.indexOf(key, at + 1, Qt::CaseInsensitive)) {
        if (matchesAsAscii(line.sliced(at), key) && (at == 0 || !isAsciiLetterOrDigit(line[at - 1].unicode())))
            return at;
    }
    return -1;
}

bool endsUnquotedValue(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u',';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The text of an Object= line that the engine reads values from, or nothing
// when the line is no Object= line.
std::optional<GameObject> readObjectLine(QStringView line, qsizetype lineAt)
{
    qsizetype at = 0;
    while (at < line.size() && isBlank(line[at]))
        ++at;
    if (!line.sliced(at).startsWith(ModKeys::Object, Qt::CaseInsensitive))
        return std::nullopt;
    at += ModKeys::Object.size();
    qsizetype end = line.size();
    while (end > at && isBlank(line[end - 1]))
        --end;
    if (at < end && line.sliced(at, end - at).startsWith(ModKeys::ObjectOpening))
        at += ModKeys::ObjectOpening.size();
    if (end > at && line.sliced(at, end - at).endsWith(ModKeys::ObjectClosing))
        end -= ModKeys::ObjectClosing.size();

    GameObject object;
    object.lineAt = lineAt + at;
    object.line = line.sliced(at, end - at).toString();
    object.name = readGameValue(object.line, ModKeys::Name);
    object.className = readGameValue(object.line, ModKeys::Class);
    object.metaClass = readGameValue(object.line, ModKeys::MetaClass);
    object.description = readGameValue(object.line, ModKeys::Description);
    return object;
}

// What the loader takes otherwise than the pages show, by the pages' names.
QStringList settingsNotAsShown(const ModDefinition& settings, const ModDefinition& shown)
{
    QStringList differing;
    const auto check = [&differing](bool differs, const char* name) {
        if (differs)
            differing.append(QString::fromLatin1(name));
    };
    check(settings.action != shown.action, "Show difficulty and skills screens setting");
    check(settings.inventory != shown.inventory, "Current Inventory");
    check(settings.playerClass != shown.playerClass, "PlayerClass");
    check(settings.credits != shown.credits, "Starting Credits");
    check(settings.skillPoints != shown.skillPoints, "Initial Skill Points");
    check(settings.skillLevels != shown.skillLevels, "skill levels");
    check(settings.augSlots != shown.augSlots || settings.augLevels != shown.augLevels, "augmentations");
    check(settings.splashMap != shown.splashMap, "Splash Map");
    check(settings.startingMap != shown.startingMap, "Starting Map");
    return differing;
}

} // namespace

GameValue readGameValue(QStringView line, QStringView key)
{
    GameValue found;
    found.keyAt = findGameKey(line, key);
    if (found.keyAt < 0)
        return found;
    qsizetype at = found.keyAt + key.size();
    qsizetype end = at;
    if (line.sliced(at).startsWith(ModKeys::ValueQuote)) {
        found.quoted = true;
        at += ModKeys::ValueQuote.size();
        end = line.indexOf(ModKeys::ValueQuote, at);
        if (end < 0)
            end = line.size();
        else
            found.endedEarly = end + 1 < line.size();
    } else {
        while (end < line.size() && !endsUnquotedValue(line[end].unicode()))
            ++end;
    }
    found.valueAt = at;
    found.length = end - at;
    found.cutAtLimit = found.length > GameValueLength;
    found.value = line.sliced(at, std::min(found.length, GameValueLength)).toString();
    return found;
}

bool GameObject::listed() const
{
    return className.value.compare(ModKeys::LoaderEntryClass, Qt::CaseInsensitive) == 0 &&
           metaClass.value.compare(ModKeys::LoaderMetaClass, Qt::CaseInsensitive) == 0;
}

QList<GameObject> readGameObjects(const QString& text)
{
    QList<GameObject> objects;
    bool inPublic = false;
    qsizetype sectionUsed = 0;
    for (qsizetype lineAt = 0; lineAt <= text.size();) {
        qsizetype lineEnd = text.indexOf(u'\n', lineAt);
        const qsizetype next = lineEnd < 0 ? text.size() + 1 : lineEnd + 1;
        if (lineEnd < 0)
            lineEnd = text.size();
        if (lineEnd > lineAt && text.at(lineEnd - 1) == u'\r')
            --lineEnd;
        const QStringView line(text.constData() + lineAt, lineEnd - lineAt);
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(u'[')) {
            // The first [Public] section is the one read.
            if (inPublic)
                break;
            inPublic = trimmed.compare(ModKeys::Section, Qt::CaseInsensitive) == 0;
        } else if (inPublic) {
            const qsizetype room = GameSectionLength - sectionUsed;
            if (room <= 0)
                break;
            if (auto object = readObjectLine(line.first(std::min(room, line.size())), lineAt)) {
                object->cutBySection = line.size() > room;
                objects.append(*object);
            }
            sectionUsed += line.size() + 1;
        }
        lineAt = next;
    }
    return objects;
}

ModDefinition readLoaderSettings(const QString& description)
{
    ModDefinition settings = readModDefinition(description, ReadStarts{});
    settings.name.clear();
    return settings;
}

GameReadingDifference compareGameReading(const QString& text, const ModDefinition& shown)
{
    using Settings = GameReadingDifference::Settings;
    GameReadingDifference difference;
    const QList<GameObject> objects = readGameObjects(text);
    const auto entry = std::find_if(objects.cbegin(), objects.cend(), [](const GameObject& o) { return o.listed(); });
    if (entry == objects.cend()) {
        difference.listed = false;
        difference.objectLines = objects.size();
        if (!objects.isEmpty()) {
            difference.className = objects.first().className.value;
            difference.metaClass = objects.first().metaClass.value;
        }
        return difference;
    }

    if (entry->name.value != shown.name) {
        difference.nameDiffers = true;
        difference.listedName = entry->name.value;
    }

    const GameValue& description = entry->description;
    difference.settingsNotAsShown = settingsNotAsShown(readLoaderSettings(description.value), shown);
    if (difference.settingsNotAsShown.isEmpty())
        return difference;
    const GameValue& name = entry->name;
    const bool inName = name.keyAt >= 0 && description.keyAt > name.keyAt &&
                        description.keyAt < name.valueAt + std::min(name.length, GameValueLength);
    if (inName) {
        difference.settings = Settings::FromName;
        difference.keyInName = entry->line.mid(description.keyAt, ModKeys::Description.size());
    } else if (description.cutAtLimit) {
        difference.settings = Settings::TooLong;
        difference.settingsLength = description.length;
    } else if (entry->cutBySection && description.valueAt + description.length == entry->line.size()) {
        difference.settings = Settings::CutBySection;
    } else if (description.quoted && description.endedEarly) {
        difference.settings = Settings::EndAtQuote;
    } else {
        difference.settings = Settings::Otherwise;
    }
    return difference;
}

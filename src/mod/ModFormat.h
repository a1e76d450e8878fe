#pragma once

#include "ModDefinition.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Placeholders that stand for "no value of the mod's own".
inline constexpr char PlaceholderPlayerClass[] = "MyPackage.MyNewPlayer";
inline constexpr char PlaceholderSplashMap[] = "DX.dx";

// The Description value of the Object line, e.g. "Skills=0;0;…;; Map=".
QString composeDescription(const ModDefinition& mod);

// The whole file: "[Public]", CR LF, the Object line, no final line break.
QString composeModFile(const ModDefinition& mod);

// The text written for one skill level: its numeric value minus one, in the
// fewest digits that read back as the same level.
QString encodeSkillLevel(const QString& levelText);

struct GameReadingDifference;

// A value that cannot go into the file as it stands, with the field it is in.
struct UnsavableValue
{
    QString field;   // as the user knows it, e.g. "Mod Name"
    QString reason;  // what is wrong, e.g. "the Mod Name field contains …"
    QString message; // full text to show
};

// Save's rule: the file Save would write is read twice, as the game reads it
// and as Open reads it, and a value is refused where either reading differs
// from what was typed. The game ends the Object line's name and its
// Description at the first double quote, finds "Class=", "MetaClass=" and
// "Description=" wherever they first stand after no letter or digit (so a
// mod name can hold them in its place), and keeps 4095 characters of each
// value. Open reads an item up to its ";", and may find a key text inside a
// value before its own item or in place of one left out. A line break would
// break the file's two lines, and the file's single-byte encoding cannot
// carry every character. The first offending field is reported; nothing
// means the mod can be saved.
std::optional<UnsavableValue> findUnsavableValue(const ModDefinition& mod);

// What Open tells when the game would read a file otherwise than the pages
// now show it: what the game will do, and what to change before saving.
QString gameReadingMessage(const GameReadingDifference& difference, const ModDefinition& shown);

#pragma once

#include "ModDefinition.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// How the game itself reads a mod definition file, beside Open's reading.
//
// The loader's list comes from the engine's registry of .int files: the
// engine reads a file's [Public] section into a buffer of its own, takes
// every Object= line, strips its opening "(" and closing ")" and reads four
// values out of it with its general "find Key= in the line". The loader then
// lists the entries of its own class and reads each one's settings out of
// its Description the way Open reads a file.

// Characters of a [Public] section the engine's buffer holds, every line
// counted with one character for its end.
inline constexpr qsizetype GameSectionLength = 32767;

// Characters a value read out of a line holds; the rest is cut off.
inline constexpr qsizetype GameValueLength = 4095;

// One value of a line as the engine finds it.
struct GameValue
{
    qsizetype keyAt = -1;   // where its key starts in the line; -1 when missing
    qsizetype valueAt = -1; // where its text starts, after an opening quote
    QString value;          // empty when the key is missing
    qsizetype length = 0;   // of the value in the line, before any cut
    bool quoted = false;
    // Whether the line held more of the value than a value holds.
    bool cutAtLimit = false;
    // Whether a quoted value ended at a quote with more text after it.
    bool endedEarly = false;
};

// The engine's "find Key= in the line": the first occurrence of key, in any
// ASCII letter case, that follows no ASCII letter or digit (so the "Class="
// inside "MetaClass=" is not one). A value that starts with a double quote
// ends at the next one; any other ends at a blank, tab, line break or comma.
// Either holds at most GameValueLength characters.
GameValue readGameValue(QStringView line, QStringView key);

// One Object= line as the engine reads it.
struct GameObject
{
    qsizetype lineAt = 0; // where the text the values are read from starts in the file
    QString line;         // that text, the parentheses stripped
    GameValue name;
    GameValue className;
    GameValue metaClass;
    GameValue description;
    // Whether the section's buffer ended inside the line.
    bool cutBySection = false;

    // Whether the loader lists the entry.
    bool listed() const;
};

// Every Object= line of the file's [Public] section, in file order, as far as
// the engine's buffer reaches.
QList<GameObject> readGameObjects(const QString& text);

// The settings the loader starts a mod with: its Description read the way
// Open reads a file, the player class searched from its start. The name is
// left empty.
ModDefinition readLoaderSettings(const QString& description);

// What the game makes of a file otherwise than Open shows it.
struct GameReadingDifference
{
    enum class Settings
    {
        AsShown,
        EndAtQuote,   // the Description ends at a double quote inside it
        TooLong,      // the Description is longer than a value holds
        CutBySection, // the section is longer than the engine's buffer
        FromName,     // the Description key is found inside the name
        Otherwise,
    };

    bool listed = true;
    // When not listed: how many Object= lines the game found, and what it
    // read from the first as its class and meta-class.
    qsizetype objectLines = 0;
    QString className;
    QString metaClass;

    // When listed under another name than Open shows.
    bool nameDiffers = false;
    QString listedName;

    Settings settings = Settings::AsShown;
    QStringList settingsNotAsShown; // the pages' names of what the game reads otherwise
    qsizetype settingsLength = 0;   // TooLong: the Description's length in the file
    QString keyInName;              // FromName: the key as the name spells it

    bool differs() const { return !listed || nameDiffers || settings != Settings::AsShown; }
};

// Compares how the game reads a file with the mod Open shows from it.
GameReadingDifference compareGameReading(const QString& text, const ModDefinition& shown);

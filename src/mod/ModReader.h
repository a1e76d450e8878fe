#pragma once

#include "GameReading.h"
#include "ModDefinition.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What reading a file found besides the mod itself, for Open to tell.
struct ModReadReport
{
    QStringList unplacedAugmentations; // entries no slot could take, as read
};

// Whether a text is a mod definition of the loader: one of its lines holds
// "Object=" and names "MetaClass=Quenlar.MLGameInfo" (any letter case). The
// game's own .int files beside the mods hold keys such as "Class=" too, but
// never that class.
bool looksLikeModDefinition(const QString& text);

// Whether a file's bytes are text in UTF-16, as Notepad saves "Unicode": a
// byte order mark, or else a zero byte beside every letter of plain Latin
// text. A mod definition is single-byte text, which holds no zero byte.
bool looksLikeUtf16(const QByteArray& bytes);

// A text that Open searches the file for to find a value, with the way it
// compares letters. Save looks closer at a value holding one: it matters
// where Open would find it before the real item, or where that item is left
// out.
struct SearchedKey
{
    QString text;
    Qt::CaseSensitivity sensitivity;
};

const QList<SearchedKey>& searchedKeys();

// Where each of Open's searches begins, as a 1-based position (the way
// GetField counts); 0 finds nothing, as though the key were missing. The
// mod name is always searched from the start: its key is the first text of
// every mod file.
struct ReadStarts
{
    qsizetype action = 1;
    qsizetype inventory = 1;
    qsizetype playerClass = 1;
    qsizetype credits = 1;
    qsizetype skillPoints = 1;
    qsizetype skills = 1;
    qsizetype augmentations = 1;
    qsizetype splashMap = 1;
    qsizetype startingMap = 1;
};

// Where Open begins: every key is searched across the whole text, but the
// player class only from the first "Description=" on (letter case exact),
// so that the fixed "Class=Class" of the Object line is never taken.
ReadStarts openStarts(const QString& text);

// Reads every field the way Open applies it, without a window. The record
// starts as a new mod, so fields that the file does not name come out as a
// new mod has them; inventory entries keep the package the file gives them.
ModDefinition readModDefinition(const QString& text, ModReadReport* report = nullptr);

// Reads as Open does, each search beginning where starts says.
ModDefinition readModDefinition(const QString& text, const ReadStarts& starts, ModReadReport* report = nullptr);

// The largest file Open accepts; real mod files are a few hundred bytes.
inline constexpr qint64 MaxModFileBytes = 1024 * 1024;

// The most a text box holds. A longer value would show cut, and the next
// Save would write a different file.
inline constexpr qsizetype MaxFieldLength = 32767;

// The first text field, as the user knows it ("Mod Name"), whose value is
// longer than a text box holds; nothing when all fit.
std::optional<QString> overlongField(const ModDefinition& mod);

// What Open makes of a mod file's bytes: the mod, what reading it found and
// what the game makes of the file otherwise, or why the bytes are no mod
// definition it can show.
struct ModFileContents
{
    enum class Refusal
    {
        None,
        Empty,
        Utf16,         // single-byte text is all a mod definition can be
        NoObjectLine,  // no line names the loader's class
        OverlongValue, // overlongField names the field
    };
    Refusal refusal = Refusal::None;
    QString overlongField;
    ModDefinition mod;
    ModReadReport report;
    GameReadingDifference game;
};
ModFileContents readModFile(const QByteArray& bytes);

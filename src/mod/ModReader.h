#pragma once

#include "ModDefinition.h"

#include <QString>
#include <QStringList>

// What reading a file found besides the mod itself, for Open to tell.
struct ModReadReport
{
    QStringList unplacedAugmentations; // entries no slot could take, as read
};

// Whether a text is a mod definition of the loader: one of its lines holds
// "Object=" and names "MetaClass=Quenlar.MLGameInfo" (any letter case). The
// game's own .int files beside the mods hold keys such as "Class=" too, but
// never that class.
bool LooksLikeModDefinition(const QString& text);

// A text that Open searches the file for to find a value, with the way it
// compares letters. A value holding one would be found in its place, so Save
// refuses such values.
struct SearchedKey
{
    const char* text;
    Qt::CaseSensitivity sensitivity;
};

inline constexpr SearchedKey SearchedKeys[] = {
    {"Name=\"", Qt::CaseInsensitive}, {"Action=Start", Qt::CaseInsensitive}, {"Inv=", Qt::CaseInsensitive},
    {"Class=", Qt::CaseInsensitive},  {"Credits=", Qt::CaseInsensitive},     {"SkillPts=", Qt::CaseInsensitive},
    {"Skills=", Qt::CaseInsensitive}, {"Aug=", Qt::CaseInsensitive},         {"Splash=", Qt::CaseInsensitive},
    {"Map=", Qt::CaseInsensitive},    {"Description=", Qt::CaseSensitive},
};

// Reads every field the way Open applies it, without a window. The record
// starts as a new mod, so fields that the file does not name come out as a
// new mod has them; inventory entries keep the package the file gives them.
ModDefinition ReadModDefinition(const QString& text, ModReadReport* report = nullptr);

// The largest file Open accepts; real mod files are a few hundred bytes.
inline constexpr qint64 MaxModFileBytes = 1024 * 1024;

// The most a text box holds. A longer value would show cut, and the next
// Save would write a different file.
inline constexpr qsizetype MaxFieldLength = 32767;

// The first text field, as the user knows it ("Mod Name"), whose value is
// longer than a text box holds, or empty text when all fit.
QString OverlongField(const ModDefinition& mod);

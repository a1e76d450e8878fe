#pragma once

#include "ModDefinition.h"

#include <QString>
#include <QStringList>

// What reading a file found besides the mod itself, for Open to tell.
struct ModReadReport
{
    QStringList unplacedAugmentations; // entries no slot could take, as read
};

// Whether a text looks like a mod definition at all: not empty, and holding
// at least one of the format's keys.
bool LooksLikeModDefinition(const QString& text);

// Reads every field the way Open applies it, without a window. The record
// starts as a new mod, so fields that the file does not name come out as a
// new mod has them; inventory entries keep the package the file gives them.
ModDefinition ReadModDefinition(const QString& text, ModReadReport* report = nullptr);

// The largest file Open accepts; real mod files are a few hundred bytes.
inline constexpr qint64 MaxModFileBytes = 1024 * 1024;

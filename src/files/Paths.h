#pragma once

// Messages name paths with pathInMessage, which sets them apart.
#include "core/PathMarks.h"

#include <QString>

// Names of files and folders as the game and the tools that come from Windows
// use them: a game directory ("GamePath") is an absolute directory ending with
// the platform's separator, or empty when no directory is known.

// The name of a file or folder of the game: GamePath and the relative name
// ("System/DeusEx.ini") joined by exactly one separator, in native
// separators, whether or not the field ends with one yet (and however many).
//
// A game copied from Windows may spell its folders and files in another
// letter case ("system/deusex.ini"); each part of the relative name that
// exists on disk in another case is spelt as on disk, so every reader and
// writer of game files finds them on a case-sensitive file system too. Parts
// that exist nowhere are kept as given.
QString gameFile(const QString& gamePath, const QString& relative);

// The platform's directory separator.
QChar pathSeparator();

// Whether the path ends with a directory separator ("/" counts everywhere).
bool hasTrailingSeparator(const QString& path);

// The path with exactly one separator at its end (the empty text stays empty).
QString withTrailingSeparator(const QString& path);

// The entry of dir whose name is name in any letter case: name itself when it
// exists, else the first such entry in name order, else the empty text.
QString findEntryIgnoringCase(const QString& dir, const QString& name);

// The parts (separated by '/' or '\\') appended to the directory dir, each
// spelt as on disk where it exists there in another letter case, since
// Windows and the tools that come from it ignore case; the parts from the
// first missing one on are kept as given. '/' separators.
QString appendIgnoringCase(const QString& dir, const QString& relative);

// An absolute path spelt as on disk, part by part, as AppendIgnoringCase
// spells it; a relative path is kept as given. '/' separators.
QString pathIgnoringCase(const QString& path);

// Whether a file (not a folder) of that name is there; hidden files (and on
// Windows system files) count as missing, as they did for the game's tools.
bool gameFileExists(const QString& path);

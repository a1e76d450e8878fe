#pragma once

#include <QString>

// The game directory ("GamePath") is the text of the Deus Ex Path field: an
// absolute directory ending with the platform's separator, or empty when no
// directory is known. Names are joined to it with the platform's separator.

// The name of a file or folder of the game: GamePath followed by the relative
// name ("System/DeusEx.ini") in native separators. No separator is added
// between the two, so a path without its final separator gives names that
// miss, as the user can see in the field.
QString GameFile(const QString& gamePath, const QString& relative);

// The platform's directory separator.
QChar PathSeparator();

// The path with exactly one separator at its end (the empty text stays empty).
QString WithTrailingSeparator(const QString& path);

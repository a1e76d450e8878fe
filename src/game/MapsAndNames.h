#pragma once

#include <QString>

// The map fields hold the name of a file in the game's Maps folder, and the
// mod name goes between double quotes into the mod file and into the loader's
// menu. These rules keep both usable.

// The characters a mod name may not contain, in the order the user is told
// them. The double quote would end the quoted name in the mod file; the
// others are those a Windows file name may not hold.
inline constexpr char16_t ForbiddenNameCharacters[] = u"\\/:*?\"<>|";

bool hasForbiddenNameCharacter(const QString& name);

// The message shown for such a name: the rule on its first line, the
// characters separated by single spaces on the second.
QString forbiddenNameMessage();

// The part of a chosen path after its last separator, either slash; a path
// without one is taken whole.
QString fileNamePart(const QString& path);

// Whether a file name matches a pattern in which * stands for any run of
// characters and ? for any one character. Letter case is ignored, as the game
// ignores it; a pattern ending in ".*" also matches names without a dot, as
// Windows lets it.
bool matchesWildcard(const QString& name, const QString& pattern);

// Whether the map text names a file in gamePath + "Maps": hidden files (and
// system files on Windows) never match, and the empty text matches any
// ordinary file there. A text holding a directory never matches, since the
// loader only looks in Maps, and nothing matches while no game directory is
// known.
bool mapFound(const QString& gamePath, const QString& mapText);

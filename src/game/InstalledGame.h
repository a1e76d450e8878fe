#pragma once

#include <QString>

// Where the game's installer records the game: the value "Folder" of this
// key below HKEY_LOCAL_MACHINE.
inline constexpr char16_t InstallKey[] = u"Software\\Unrealed Technology\\Installed Apps\\Deus Ex";
inline constexpr char16_t InstallValue[] = u"Folder";

// The game directory this system knows of, as found (no separator is added),
// or empty text. On Windows it is the installer's registry value. Elsewhere
// the game runs under Wine: the same value in the Wine prefix's registry,
// translated to a directory of this system, when that directory holds the
// game, and otherwise the game in one of the user's Steam libraries.
QString FindInstalledGame();

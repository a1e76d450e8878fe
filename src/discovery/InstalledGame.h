#pragma once

#include <QString>

// The game directory this system knows of, or empty text: the first folder
// that holds the game among those its installers and launchers recorded,
// with native separators and no final separator. In order: the game's own
// installer key, GOG's keys, then Steam. On Windows these are read from the
// registry and Steam's folder from Steam's registry values. Elsewhere the
// game runs under Wine: the keys are read from the user's Wine prefix, GOG
// games of Heroic Games Launcher follow GOG's keys, and Steam is looked for
// where Steam for Linux keeps its files (with the game's Proton prefix), then
// where the prefix's registry says a Steam for Windows is; then in the games
// and Wine prefixes of Lutris, bottles, CrossOver, PlayOnLinux and Heroic.
QString findInstalledGame();

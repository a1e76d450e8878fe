#pragma once

#include "RegistryReader.h"

#include <QString>
#include <QStringList>

// The places where installers and launchers record the game's folder. Each
// function gives the folders as recorded and made local, valid or not, in the
// order they are tried; FirstGameDirectory picks the first that holds the game.

// The game's own installer (retail, Game of the Year and Steam editions)
// writes the value "Folder" here, in HKEY_LOCAL_MACHINE; mod installers and
// save tools of the game read it there too.
inline constexpr char16_t InstallerKey[] = u"SOFTWARE\\Unreal Technology\\Installed Apps\\Deus Ex";
// Earlier versions of this program looked for the value under this name, so
// a folder recorded there by hand is still taken, after the installer's.
inline constexpr char16_t OldInstallerKey[] = u"Software\\Unrealed Technology\\Installed Apps\\Deus Ex";
inline constexpr char16_t InstallerValue[] = u"Folder";

// GOG Galaxy and GOG's offline installers: a subkey for each game, named by
// its product id, with the value "path"; older installers of this game wrote
// their own key with the value "PATH".
inline constexpr char16_t GogGamesKey[] = u"SOFTWARE\\GOG.com\\Games";
inline constexpr char16_t GogGameValue[] = u"path";
inline constexpr char16_t OldGogKey[] = u"SOFTWARE\\GOG.com\\GOGDEUSX";
inline constexpr char16_t OldGogValue[] = u"PATH";

// Where Steam records its own folder: the user's key, then the machine's.
inline constexpr char16_t SteamUserKey[] = u"Software\\Valve\\Steam";
inline constexpr char16_t SteamUserValue[] = u"SteamPath";
inline constexpr char16_t SteamMachineKey[] = u"SOFTWARE\\Valve\\Steam";
inline constexpr char16_t SteamMachineValue[] = u"InstallPath";

// The installer's folder: its own key, then the older name.
QStringList installerCandidates(const RegistryReader& registry);

// GOG's folders: every game GOG registered, then its older key.
QStringList gogCandidates(const RegistryReader& registry);

// Heroic Games Launcher's GOG games below a home directory: the native
// launcher's list, then the Flatpak one's. A missing, empty or broken list
// gives nothing.
QStringList heroicCandidates(const QString& home);

// Steam's own folders as the registry records them.
QStringList steamRootsInRegistry(const RegistryReader& registry);

// The keys of a root that the look-ups above read, with the keys below them.
QStringList discoveryKeys(RegistryRoot root);

// The first folder holding the game that a Wine prefix records: the
// installer's keys, GOG's keys, then every library of a Steam for Windows
// installed in it, each Windows path taken through the prefix's drives.
// Empty text when none does.
QString findGameInPrefix(const QString& prefix);

// The first folder holding the game among those that the launchers of
// Windows games on Linux record, in this order: Lutris (the folders its games'
// executables lie in, then its games' prefixes), the bottles of bottles,
// CrossOver's bottles, PlayOnLinux's prefixes, then Heroic (its side-loaded
// games' folders, then its prefixes). Each prefix is searched as
// FindGameInPrefix searches it, once, and none of those already searched
// (canonical paths) again. Empty text when none holds it.
QString findLaunchersGame(const QString& home, const QStringList& searchedPrefixes = {});

// The first candidate that holds the game (System/DeusEx.exe), cleaned up,
// with '/' separators; empty text when none does.
QString firstGameDirectory(const QStringList& candidates);

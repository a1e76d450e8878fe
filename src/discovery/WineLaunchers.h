#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What the launchers that run Windows games on Linux record about the games
// and Wine prefixes they hold, read from their own files below a home
// directory. Each reader gives its entries as recorded, in the order they
// are tried (the native launcher before its Flatpak), whether or not the
// folders they name still exist. A file that is missing, empty, broken or no
// regular file gives nothing. Paths have '/' separators.

// A game configuration of Lutris (games/<config>.yml).
struct LutrisGame
{
    QString config; // the file's name without ".yml": the game's slug, then "-" and a time stamp in newer versions
    QString slug;   // the game's slug, as "lutris:rungame/<slug>" takes it
    QString prefix; // "game: prefix:", with "~" made the home directory; empty when not given
    QString exe;    // "game: exe:" made absolute (relative to the prefix); empty when not given
    bool flatpak = false;
};

// The text of one plain, quoted or folded scalar of a YAML file in block
// style, as Lutris and Bottles write theirs: the key key of the top-level
// mapping section, or of the top level when section is empty; empty text
// when there is none or it is no scalar.
QString yamlScalar(const QByteArray& yaml, const QString& section, const QString& key);

// Every game configuration of the native Lutris, then of the Flatpak, each in
// name order.
QList<LutrisGame> lutrisGames(const QString& home);

// A bottle of Bottles: a Wine prefix with its bottle.yml beside its drive_c.
struct Bottle
{
    QString name; // "Name:" of bottle.yml, which bottles-cli takes; the folder's name when there is none
    QString path; // the bottle's folder, which is its Wine prefix
    bool flatpak = false;
};

// The bottles of the native bottles, then of the Flatpak, each in name order.
QList<Bottle> bottles(const QString& home);

// The bottles of CrossOver (~/.cxoffice/*), each a Wine prefix, in name order.
QStringList crossOverBottles(const QString& home);

// The prefixes of PlayOnLinux (~/.PlayOnLinux/wineprefix/*), in name order.
QStringList playOnLinuxPrefixes(const QString& home);

// A game Heroic Games Launcher installed (GOG) or had added by hand ("sideload").
struct HeroicGame
{
    QString appName; // as "heroic://launch/<runner>/<appName>" takes it
    QString runner;  // "gog" or "sideload"
    QString folder;  // the game's folder as recorded; for a side-loaded game the executable's folder
    QString exe;     // the executable a side-loaded game starts; empty for GOG
    bool flatpak = false;
};

// GOG games of Heroic (gog_store/installed.json), native then Flatpak.
QList<HeroicGame> heroicGogGames(const QString& home);

// Side-loaded games of Heroic (sideload_apps/library.json), native then Flatpak.
QList<HeroicGame> heroicSideloadGames(const QString& home);

// A Wine prefix Heroic runs games in.
struct HeroicPrefix
{
    QString appName; // the game whose settings name it; empty for a prefix of the default folder
    QString path;
    bool flatpak = false;
};

// Heroic's prefixes: the "winePrefix" of each game's settings
// (GamesConfig/<appName>.json), native then Flatpak, then the prefixes of
// the default folder ~/Games/Heroic/Prefixes (each entry there, or each entry
// of a folder there that is no prefix itself, as "default" is).
QList<HeroicPrefix> heroicPrefixes(const QString& home);

// The folders an executable of the game may lie in, the likeliest first:
// its folder's parent (the game keeps DeusEx.exe in System), then its folder.
QStringList foldersOfExecutable(const QString& exe);

// Whether a folder looks like a Wine prefix: it holds system.reg or drive_c.
bool isWinePrefix(const QString& folder);

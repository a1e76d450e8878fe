#pragma once

#include "core/Result.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// How the game in a directory is started, worked out from the directory
// alone each time: the program remembers nothing else about the install.
// Whatever starts it, the game runs the mod loader because the loader's
// set-up switched the game's DefaultGame.

enum class HostSystem
{
    Linux,
    Windows,
};

// What the system offers to start the game with.
struct LaunchContext
{
    HostSystem system = HostSystem::Linux;
    // Where the launchers of Linux keep their lists (the user's home folder).
    QString home;
    // The user's own Wine prefix ($WINEPREFIX, else ~/.wine): a drive it maps
    // holds a game that Wine starts in it.
    QString defaultPrefix;
    // Windows: Steam's folders as the registry records them. (On Linux the
    // rule reads the prefixes' registries itself.)
    QStringList steamRoots;
    // The full name of a command found on the search path, or empty text.
    std::function<QString(const QString&)> findProgram;
};

struct GameLaunch
{
    enum class Kind
    {
        Url,     // an address handed to the desktop, whose handler is the launcher
        Program, // a program started with its arguments, environment and folder
    };
    // What holds the install, named in messages.
    enum class Source
    {
        None,
        Steam,
        Heroic,
        Lutris,
        bottles,
        WinePrefix,
        Windows,
    };

    Kind kind = Kind::Url;
    Source source = Source::None;
    QUrl url;
    QString program;
    QStringList arguments;
    QMap<QString, QString> environment; // set on top of the program's own
    QString workingDirectory;
};

// The way to start the game of a game directory (with or without its final
// separator), tried in this order: a Steam library (Steam's address); a GOG
// or side-loaded game of Heroic (Heroic's address); a game of Lutris (Lutris'
// address); a bottle of bottles (bottles-cli, or the Flatpak's); a folder
// under a Wine prefix's drive_c or on a drive a known prefix maps (wine with
// WINEPREFIX). On Windows: Steam's address for a Steam library, else the
// game's own DeusEx.exe. Where nothing can start it, fails saying why and
// what the user can do.
Result<GameLaunch> workOutLaunch(const QString& gameDirectory, const LaunchContext& context);

// Steam's address that starts the game through whichever Steam holds it.
QUrl steamLaunchUrl();

// The context of this system: its home folder, Wine prefix, registry and
// search path.
LaunchContext systemLaunchContext();

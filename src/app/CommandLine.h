#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

// What the program was asked for on its command line.
struct CommandLine
{
    enum class Action
    {
        Run,         // start the window, then open the file, if one was named
        ShowHelp,    // print the help and end
        ShowVersion, // print the version and end
    };

    Action action = Action::Run;
    // The mod file to open after start-up, as an absolute path; empty for none.
    // Whether it exists and is a mod is for the window's own Open to tell.
    QString file;
};

// Reads the arguments, the program's own name first; fails with the reason
// when it refuses them. Needs no application object, so that the command line
// can be answered before the program connects to a display. Help and version,
// each given as an argument of its own, win over other mistakes.
Result<CommandLine> parseCommandLine(const QStringList& arguments);

// The arguments without the options Qt's application object takes out for
// itself (-platform offscreen, -style=fusion…), as it will take them: what
// ParseCommandLine reads before the application object exists.
QStringList withoutToolkitOptions(const QStringList& arguments);

// The texts printed for --help and --version. The help's usage line names the
// program as it was started, so it needs the application object.
QString commandLineHelp();
QString commandLineVersion();

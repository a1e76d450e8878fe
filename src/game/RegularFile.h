#pragma once

#include <QString>

class QFile;

// What opening a name for reading found, links followed.
struct RegularFileOpen
{
    enum class Outcome
    {
        Opened,   // a regular file, now open in the QFile given
        Folder,   // a folder: nothing was opened
        NotAFile, // a pipe, device or socket: nothing is left open
        Failed,   // the system refused it; error says why
    };
    Outcome outcome = Outcome::Failed;
    QString error;
};

// Opens a regular file for reading, unbuffered, and nothing else. Opening
// never waits: a pipe with no writer or a device is refused rather than
// waited on or read without end, also when it takes the file's place between
// a look at the name and the opening. One implementation per platform.
RegularFileOpen OpenRegularFile(QFile& file, const QString& path);

#pragma once

#include "core/Result.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QString>

class QFile;
class QFileDevice;

// What opening a name found, links followed, where the system allowed it.
enum class OpenOutcome
{
    Opened,   // a regular file, now open in the QFile given
    Folder,   // a folder: nothing was opened
    NotAFile, // a pipe, device or socket: nothing is left open
};

// Opens a regular file, unbuffered, and nothing else: for reading, or for
// reading and writing (never emptied on opening, never made). Opening never
// waits: a pipe with no writer or a device is refused rather than waited on
// or read without end, also when it takes the file's place between a look
// at the name and the opening. One implementation per platform, as are the
// other functions here. Fails with the system's reason when it refused.
Result<OpenOutcome> openRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode = QIODevice::ReadOnly);

// What a name is, links followed, found without opening it.
enum class FileKind
{
    Missing, // nothing there, or a link to nothing
    Regular,
    Folder,
    Special, // a pipe, device or socket
};
FileKind kindOfFile(const QString& path);

// Writes every byte at the given offset of a file open for writing, as many
// writes as the system takes for it. Fails, with the reason in words for
// the user, when not every byte was taken.
Result<> writeAt(QFileDevice& file, qint64 offset, QByteArrayView bytes);

// Has the system put what was written on the disk, for a disk that reports
// a lack of room only then. Fails with the reason when it could not.
Result<> syncToDisk(QFileDevice& file);

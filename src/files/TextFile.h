#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>

// Whole-file reads and writes of the game's single-byte text files. Writes go
// through a temporary file that replaces the old one only when everything was
// on the disk, so a failure, a full disk included, never leaves a file half
// written or emptied. Where the caller allows it, a file whose folder takes
// no new files is rewritten in place instead, as safely.

// The most the program reads of any file of settings: the game's and the
// loader's INI files, a Wine prefix's registry, Steam's library lists and
// manifests. Each is far smaller (the registry of a large prefix runs to a
// few megabytes), so anything beyond is no such file.
inline constexpr qint64 MaxIniBytes = 64 * 1024 * 1024;

// Reads the whole of a regular file (links followed) as it is on disk, and
// at most maxBytes of it: reading stops one byte beyond and reports the file
// as too large, whatever size it claimed. A folder, pipe, device or socket
// is refused with the reason, never waited on or read.
Result<QByteArray> readFileBytes(const QString& path, qint64 maxBytes = MaxIniBytes);

// Reads and decodes the whole file, as ReadFileBytes reads it.
Result<QString> readTextFile(const QString& path, qint64 maxBytes = MaxIniBytes);

// Whether a write may fall back to rewriting the file where it is.
enum class InPlaceWrite
{
    Never,
    // when no temporary file can be made beside it (a folder that takes no
    // new files, for whatever reason) while the file itself can be written
    WhenNoTemporaryFile,
};

// Encodes and writes the whole text. A character the encoding cannot carry
// is refused.
Result<> writeTextFile(const QString& path, const QString& text, InPlaceWrite inPlace = InPlaceWrite::Never);

// Writes the bytes whole through a temporary file that replaces the file
// (through a link, the file it points at) only once every byte is on the
// disk, or in place where the caller allows it and no temporary file can be
// made, still never leaving the file cut. Either way a failure leaves every
// file as it was and nothing new beside it, and says why. Only a regular
// file or a new one is written: a folder, pipe, device or socket is refused,
// as is a file marked read-only. When the folder takes no new files, the
// reason of a failure says so.
Result<> writeFileAtomically(const QString& path, const QByteArray& bytes, InPlaceWrite inPlace = InPlaceWrite::Never);

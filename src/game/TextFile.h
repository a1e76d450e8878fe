#pragma once

#include <QByteArray>
#include <QString>

#include <utility>

// Whole-file reads and writes of the game's single-byte text files. Writes go
// through a temporary file that replaces the old one only when everything was
// written, so a failure never leaves a file half written or emptied. Where
// the caller allows it, a file whose folder takes no new files is rewritten
// in place instead.

// What became of a write (or of a switch made of writes): done, or the
// reason it was not, in words for the user.
class [[nodiscard]] WriteResult
{
public:
    static WriteResult done() { return {}; }
    static WriteResult failed(QString reason)
    {
        WriteResult result;
        result.m_failed = true;
        result.m_reason = std::move(reason);
        return result;
    }

    bool ok() const { return !m_failed; }
    const QString& reason() const { return m_reason; }

private:
    bool m_failed = false;
    QString m_reason;
};

struct [[nodiscard]] TextRead
{
    QString text;
    QString error; // empty when the read succeeded
    bool ok() const { return error.isEmpty(); }
};

struct [[nodiscard]] FileRead
{
    QByteArray bytes;
    QString error; // empty when the read succeeded
    bool ok() const { return error.isEmpty(); }
};

// The most the program reads of any file of settings: the game's and the
// loader's INI files, a Wine prefix's registry, Steam's library lists and
// manifests. Each is far smaller (the registry of a large prefix runs to a
// few megabytes), so anything beyond is no such file.
inline constexpr qint64 MaxIniBytes = 64 * 1024 * 1024;

// Reads the whole of a regular file (links followed) as it is on disk, and
// at most maxBytes of it: reading stops one byte beyond and reports the file
// as too large, whatever size it claimed. A folder, pipe, device or socket
// is refused with the reason, never waited on or read.
FileRead ReadFileBytes(const QString& path, qint64 maxBytes = MaxIniBytes);

// Reads and decodes the whole file, as ReadFileBytes reads it.
TextRead ReadTextFile(const QString& path, qint64 maxBytes = MaxIniBytes);

// Whether a write may fall back to rewriting the file in place.
enum class InPlaceWrite
{
    Never,
    WhenFolderIsLocked, // a writable file in a folder that takes no new files
};

// Whether a write may rewrite the file in place when its temporary file
// cannot be made: only where the caller allows it, and only when the folder
// is what refuses (it takes no new files) while the file itself is there and
// writable. Anything else that stops a temporary file, a full disk say, would
// stop the write in place too, after it had emptied the file.
bool ShouldWriteInPlace(InPlaceWrite allowed, bool folderWritable, bool fileExists, bool fileWritable);

// Encodes and writes the whole text. A character the encoding cannot carry
// is refused.
WriteResult WriteTextFile(const QString& path, const QString& text, InPlaceWrite inPlace = InPlaceWrite::Never);

// Writes the bytes whole through a temporary file, or in place where
// ShouldWriteInPlace allows it and the temporary file cannot be made.
// When the folder takes no new files, the reason of a failure says so. A
// file marked read-only is left alone.
WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes,
                                InPlaceWrite inPlace = InPlaceWrite::Never);

#pragma once

#include <QByteArray>
#include <QString>

// Whole-file reads and writes of the game's single-byte text files. Writes go
// through a temporary file that replaces the old one only when everything was
// written, so a failure never leaves a file half written or emptied.

struct TextRead
{
    QString text;
    QString error; // empty when the read succeeded
    bool ok() const { return error.isEmpty(); }
};

struct FileRead
{
    QByteArray bytes;
    QString error; // empty when the read succeeded
    bool ok() const { return error.isEmpty(); }
};

// Reads the whole file as it is on disk. A file larger than maxBytes (when
// given) is not read and reported as too large.
FileRead ReadFileBytes(const QString& path, qint64 maxBytes = -1);

// Reads and decodes the whole file. A file larger than maxBytes (when given)
// is not read and reported as too large.
TextRead ReadTextFile(const QString& path, qint64 maxBytes = -1);

// Encodes and writes the whole text. Returns the reason on failure, else an
// empty text. A character the encoding cannot carry is refused.
QString WriteTextFile(const QString& path, const QString& text);

// Writes the bytes whole through a temporary file. Returns the reason on
// failure, else an empty text. A file marked read-only is left alone.
QString WriteFileAtomically(const QString& path, const QByteArray& bytes);

#include "TextFile.h"

#include "AnsiText.h"
#include "GamePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

FileRead ReadFileBytes(const QString& path, qint64 maxBytes)
{
    QFileInfo info(path);
    if (info.isDir())
        return {{}, QStringLiteral("It is a folder, not a file.")};
    // Read whole in one go, straight into the result: a buffer in between
    // would only copy the bytes once more.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {{}, file.errorString()};
    if (maxBytes >= 0 && file.size() > maxBytes)
        return {{}, QStringLiteral("The file is too large.")};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    return {std::move(bytes), {}};
}

TextRead ReadTextFile(const QString& path, qint64 maxBytes)
{
    const FileRead read = ReadFileBytes(path, maxBytes);
    if (!read.ok())
        return {{}, read.error};
    return {AnsiText::Decode(read.bytes), {}};
}

bool ShouldWriteInPlace(InPlaceWrite allowed, bool folderWritable, bool fileExists, bool fileWritable)
{
    return allowed == InPlaceWrite::WhenFolderIsLocked && !folderWritable && fileExists && fileWritable;
}

QString WriteFileAtomically(const QString& path, const QByteArray& bytes, InPlaceWrite inPlace)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("A folder of that name is in the way.");
    // Replacing through a temporary file would get past a read-only mark (and
    // an administrator passes every permission check), so honour the mark.
    if (info.exists() && !(QFile::permissions(path) & QFileDevice::WriteOwner))
        return QStringLiteral("The file is read-only.");

    const QFileInfo folder(info.absolutePath());
    const bool folderWritable = folder.isWritable();
    QSaveFile file(path);
    // QSaveFile writes in place only when it could not make its temporary file.
    file.setDirectWriteFallback(ShouldWriteInPlace(inPlace, folderWritable, info.isFile(), info.isWritable()));
    if (!file.open(QIODevice::WriteOnly)) {
        if (folder.isDir() && !folderWritable)
            return QStringLiteral("The folder %1 is not writable.")
                .arg(PathInMessage(QDir::toNativeSeparators(folder.filePath())));
        return file.errorString();
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

QString WriteTextFile(const QString& path, const QString& text, InPlaceWrite inPlace)
{
    const auto bytes = AnsiText::Encode(text);
    if (!bytes)
        return QStringLiteral("The text holds a character that a Deus Ex file cannot hold.");
    return WriteFileAtomically(path, *bytes, inPlace);
}

#include "TextFile.h"

#include "AnsiText.h"
#include "FileAttributes.h"
#include "GamePath.h"
#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

const QString TooLarge = QStringLiteral("The file is too large.");
const QString InUseMessage = QStringLiteral("Another program is using the file. Close it there and try again.");

// Reads to the end, or one byte beyond maxBytes. The size the file reports
// only sizes the first read: a file can grow while it is read.
FileRead readAtMost(QFile& file, qint64 maxBytes)
{
    const qint64 reported = file.size();
    if (reported > maxBytes)
        return {{}, TooLarge};
    // One byte more than reported, so that a single read sees the end.
    qint64 capacity = reported + 1;
    QByteArray bytes(static_cast<qsizetype>(capacity), Qt::Uninitialized);
    qint64 got = 0;
    for (;;) {
        const qint64 n = file.read(bytes.data() + got, capacity - got);
        if (n < 0)
            return {{}, file.errorString()};
        if (n == 0)
            break;
        got += n;
        if (got > maxBytes)
            return {{}, TooLarge};
        if (got == capacity) {
            capacity = std::min(capacity * 2, maxBytes + 1);
            bytes.resize(static_cast<qsizetype>(capacity));
        }
    }
    bytes.resize(static_cast<qsizetype>(got));
    return {std::move(bytes), {}};
}

} // namespace

FileRead ReadFileBytes(const QString& path, qint64 maxBytes)
{
    QFile file;
    const RegularFileOpen opened = OpenRegularFile(file, path);
    switch (opened.outcome) {
    case RegularFileOpen::Outcome::Opened:
        return readAtMost(file, maxBytes);
    case RegularFileOpen::Outcome::Folder:
        return {{}, QStringLiteral("It is a folder, not a file.")};
    case RegularFileOpen::Outcome::NotAFile:
        return {{}, QStringLiteral("It is a device, pipe or socket, not a file.")};
    case RegularFileOpen::Outcome::Failed:
        break;
    }
    return {{}, opened.error};
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

WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes, InPlaceWrite inPlace)
{
    const QFileInfo info(path);
    if (info.isDir())
        return WriteResult::failed(QStringLiteral("A folder of that name is in the way."));
    // Replacing through a temporary file would get past a read-only mark (and
    // an administrator passes every permission check), so honour the mark.
    if (info.exists() && !(QFile::permissions(path) & QFileDevice::WriteOwner))
        return WriteResult::failed(QStringLiteral("The file is read-only."));

    const QFileInfo folder(info.absolutePath());
    const bool folderWritable = folder.isWritable();
    QSaveFile file(path);
    // QSaveFile writes in place only when it could not make its temporary file.
    file.setDirectWriteFallback(ShouldWriteInPlace(inPlace, folderWritable, info.isFile(), info.isWritable()));
    if (!file.open(QIODevice::WriteOnly)) {
        if (info.isFile() && HeldOpenByAnotherProgram(path))
            return WriteResult::failed(InUseMessage);
        if (folder.isDir() && !folderWritable)
            return WriteResult::failed(QStringLiteral("The folder %1 is not writable.")
                                           .arg(PathInMessage(QDir::toNativeSeparators(folder.filePath()))));
        return WriteResult::failed(file.errorString());
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return WriteResult::failed(reason);
    }
    if (!file.commit()) {
        // Windows says only "Access denied." when another program has the
        // file open; the user can do something about that once told.
        if (HeldOpenByAnotherProgram(path))
            return WriteResult::failed(InUseMessage);
        return WriteResult::failed(file.errorString());
    }
    return WriteResult::done();
}

WriteResult WriteTextFile(const QString& path, const QString& text, InPlaceWrite inPlace)
{
    const auto bytes = AnsiText::Encode(text);
    if (!bytes)
        return WriteResult::failed(QStringLiteral("The text holds a character that a Deus Ex file cannot hold."));
    return WriteFileAtomically(path, *bytes, inPlace);
}

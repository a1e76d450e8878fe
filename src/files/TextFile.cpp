#include "TextFile.h"

#include "AnsiText.h"
#include "FileAttributes.h"
#include "Paths.h"
#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

const QString TooLarge = QStringLiteral("The file is too large.");
const QString NotAFile = QStringLiteral("It is a device, pipe or socket, not a file.");
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
        return {{}, NotAFile};
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

namespace {

// Rewrites an existing file where it is, for a folder that takes no new
// file, without ever leaving it shorter or cut: the part beyond its old end
// goes on first, so a disk without room stops the write before one old byte
// has changed; only then are the old bytes written over (which needs no new
// room) and the file cut to its new length. A failure after that puts the
// old bytes back.
WriteResult RewriteInPlace(const QString& path, const QByteArray& bytes)
{
    QFile file;
    const RegularFileOpen opened = OpenRegularFile(file, path, QIODevice::ReadWrite);
    switch (opened.outcome) {
    case RegularFileOpen::Outcome::Opened:
        break;
    case RegularFileOpen::Outcome::Folder:
        return WriteResult::failed(QStringLiteral("A folder of that name is in the way."));
    case RegularFileOpen::Outcome::NotAFile:
        return WriteResult::failed(NotAFile);
    case RegularFileOpen::Outcome::Failed:
        return WriteResult::failed(opened.error);
    }
    const FileRead old = readAtMost(file, std::max<qint64>(MaxIniBytes, bytes.size()));
    if (!old.ok())
        return WriteResult::failed(old.error);
    const qsizetype oldSize = old.bytes.size();
    const auto putBack = [&](const QString& reason) {
        (void)WriteAt(file, 0, old.bytes);
        file.resize(oldSize);
        (void)SyncToDisk(file);
        return WriteResult::failed(reason);
    };

    if (bytes.size() > oldSize) {
        if (const QString reason = WriteAt(file, oldSize, QByteArrayView(bytes).sliced(oldSize)); !reason.isEmpty()) {
            file.resize(oldSize);
            return WriteResult::failed(reason);
        }
        if (const QString reason = SyncToDisk(file); !reason.isEmpty()) {
            file.resize(oldSize);
            return WriteResult::failed(reason);
        }
    }
    if (const QString reason = WriteAt(file, 0, QByteArrayView(bytes).first(std::min(oldSize, bytes.size())));
        !reason.isEmpty())
        return putBack(reason);
    if (bytes.size() < oldSize && !file.resize(bytes.size()))
        return putBack(file.errorString());
    if (const QString reason = SyncToDisk(file); !reason.isEmpty())
        return putBack(reason);
    return WriteResult::done();
}

} // namespace

WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes, InPlaceWrite inPlace)
{
    const FileKind kind = KindOfFile(path);
    if (kind == FileKind::Folder)
        return WriteResult::failed(QStringLiteral("A folder of that name is in the way."));
    // Replacing a pipe or a device by a file would take it from whatever
    // uses it, through a link as well.
    if (kind == FileKind::Special)
        return WriteResult::failed(NotAFile);
    // Replacing through a temporary file would get past a read-only mark (and
    // an administrator passes every permission check), so honour the mark.
    if (kind == FileKind::Regular && !(QFile::permissions(path) & QFileDevice::WriteOwner))
        return WriteResult::failed(QStringLiteral("The file is read-only."));

    // Unbuffered, every write goes to the system at once and its failure is
    // seen; a buffered one would meet a full disk only when commit() empties
    // the buffer, and QSaveFile would then put the cut file in place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (kind == FileKind::Regular && HeldOpenByAnotherProgram(path))
            return WriteResult::failed(InUseMessage);
        // No temporary file, whatever the reason: an existing file may still
        // be rewritten where it is, where the caller allows it.
        if (inPlace == InPlaceWrite::WhenNoTemporaryFile && kind == FileKind::Regular)
            return RewriteInPlace(path, bytes);
        const QFileInfo folder(QFileInfo(path).absolutePath());
        if (folder.isDir() && !folder.isWritable())
            return WriteResult::failed(QStringLiteral("The folder %1 is not writable.")
                                           .arg(PathInMessage(QDir::toNativeSeparators(folder.filePath()))));
        return WriteResult::failed(file.errorString());
    }
    QString reason = WriteAt(file, 0, bytes);
    if (reason.isEmpty())
        reason = SyncToDisk(file);
    if (!reason.isEmpty()) {
        // The temporary file goes with the QSaveFile.
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

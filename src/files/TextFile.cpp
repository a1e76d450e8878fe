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
Result<QByteArray> readAtMost(QFile& file, qint64 maxBytes)
{
    const qint64 reported = file.size();
    if (reported > maxBytes)
        return Failure{TooLarge};
    // One byte more than reported, so that a single read sees the end.
    qint64 capacity = reported + 1;
    QByteArray bytes(static_cast<qsizetype>(capacity), Qt::Uninitialized);
    qint64 got = 0;
    for (;;) {
        const qint64 n = file.read(bytes.data() + got, capacity - got);
        if (n < 0)
            return Failure{file.errorString()};
        if (n == 0)
            break;
        got += n;
        if (got > maxBytes)
            return Failure{TooLarge};
        if (got == capacity) {
            capacity = std::min(capacity * 2, maxBytes + 1);
            bytes.resize(static_cast<qsizetype>(capacity));
        }
    }
    bytes.resize(static_cast<qsizetype>(got));
    return bytes;
}

// Opens a regular file (through a link, the file it points at), or says why
// not; what a folder in its place means depends on what the caller was about
// to do.
Result<> openOnlyAFile(QFile& file, const QString& path, QIODevice::OpenMode mode, const QString& folderReason)
{
    const Result<OpenOutcome> opened = openRegularFile(file, path, mode);
    if (!opened.ok())
        return Failure{opened.error()};
    switch (opened.value()) {
    case OpenOutcome::Opened:
        return {};
    case OpenOutcome::Folder:
        return Failure{folderReason};
    case OpenOutcome::NotAFile:
        break;
    }
    return Failure{NotAFile};
}

} // namespace

Result<QByteArray> readFileBytes(const QString& path, qint64 maxBytes)
{
    QFile file;
    if (const Result<> opened =
            openOnlyAFile(file, path, QIODevice::ReadOnly, QStringLiteral("It is a folder, not a file."));
        !opened.ok())
        return Failure{opened.error()};
    return readAtMost(file, maxBytes);
}

Result<QString> readTextFile(const QString& path, qint64 maxBytes)
{
    const Result<QByteArray> read = readFileBytes(path, maxBytes);
    if (!read.ok())
        return Failure{read.error()};
    return AnsiText::decode(read.value());
}

namespace {

// Rewrites an existing file where it is, for a folder that takes no new
// file, without ever leaving it shorter or cut: the part beyond its old end
// goes on first, so a disk without room stops the write before one old byte
// has changed; only then are the old bytes written over (which needs no new
// room) and the file cut to its new length. A failure after that puts the
// old bytes back.
Result<> rewriteInPlace(const QString& path, const QByteArray& bytes)
{
    QFile file;
    if (const Result<> opened =
            openOnlyAFile(file, path, QIODevice::ReadWrite, QStringLiteral("A folder of that name is in the way."));
        !opened.ok())
        return opened;
    const Result<QByteArray> old = readAtMost(file, std::max<qint64>(MaxIniBytes, bytes.size()));
    if (!old.ok())
        return Failure{old.error()};
    const QByteArray& oldBytes = old.value();
    const qsizetype oldSize = oldBytes.size();
    const auto putBack = [&](const QString& reason) {
        (void)writeAt(file, 0, oldBytes);
        file.resize(oldSize);
        (void)syncToDisk(file);
        return Failure{reason};
    };

    if (bytes.size() > oldSize) {
        if (const Result<> grown = writeAt(file, oldSize, QByteArrayView(bytes).sliced(oldSize)); !grown.ok()) {
            file.resize(oldSize);
            return Failure{grown.error()};
        }
        if (const Result<> synced = syncToDisk(file); !synced.ok()) {
            file.resize(oldSize);
            return Failure{synced.error()};
        }
    }
    if (const Result<> written = writeAt(file, 0, QByteArrayView(bytes).first(std::min(oldSize, bytes.size())));
        !written.ok())
        return putBack(written.error());
    if (bytes.size() < oldSize && !file.resize(bytes.size()))
        return putBack(file.errorString());
    if (const Result<> synced = syncToDisk(file); !synced.ok())
        return putBack(synced.error());
    return {};
}

} // namespace

Result<> writeFileAtomically(const QString& path, const QByteArray& bytes, InPlaceWrite inPlace)
{
    const FileKind kind = kindOfFile(path);
    if (kind == FileKind::Folder)
        return Failure{QStringLiteral("A folder of that name is in the way.")};
    // Replacing a pipe or a device by a file would take it from whatever
    // uses it, through a link as well.
    if (kind == FileKind::Special)
        return Failure{NotAFile};
    // Replacing through a temporary file would get past a read-only mark (and
    // an administrator passes every permission check), so honour the mark.
    if (kind == FileKind::Regular && !(QFile::permissions(path) & QFileDevice::WriteOwner))
        return Failure{QStringLiteral("The file is read-only.")};

    // Unbuffered, every write goes to the system at once and its failure is
    // seen; a buffered one would meet a full disk only when commit() empties
    // the buffer, and QSaveFile would then put the cut file in place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (kind == FileKind::Regular && heldOpenByAnotherProgram(path))
            return Failure{InUseMessage};
        // No temporary file, whatever the reason: an existing file may still
        // be rewritten where it is, where the caller allows it.
        if (inPlace == InPlaceWrite::WhenNoTemporaryFile && kind == FileKind::Regular)
            return rewriteInPlace(path, bytes);
        const QFileInfo folder(QFileInfo(path).absolutePath());
        if (folder.isDir() && !folder.isWritable())
            return Failure{QStringLiteral("The folder %1 is not writable.")
                               .arg(pathInMessage(QDir::toNativeSeparators(folder.filePath())))};
        return Failure{file.errorString()};
    }
    Result<> written = writeAt(file, 0, bytes);
    if (written.ok())
        written = syncToDisk(file);
    if (!written.ok()) {
        // The temporary file goes with the QSaveFile.
        file.cancelWriting();
        return written;
    }
    if (!file.commit()) {
        // Windows says only "Access denied." when another program has the
        // file open; the user can do something about that once told.
        if (heldOpenByAnotherProgram(path))
            return Failure{InUseMessage};
        return Failure{file.errorString()};
    }
    return {};
}

Result<> writeTextFile(const QString& path, const QString& text, InPlaceWrite inPlace)
{
    const auto bytes = AnsiText::encode(text);
    if (!bytes)
        return Failure{QStringLiteral("The text holds a character that a Deus Ex file cannot hold.")};
    return writeFileAtomically(path, *bytes, inPlace);
}

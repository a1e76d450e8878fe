#include "RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <system_error>

#include <io.h>
#include <windows.h>

namespace {

// The reasons a user can act on, in plain words; the system's own words for
// the rest.
QString writeFailure(DWORD error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return QStringLiteral("The disk is full.");
    case ERROR_WRITE_PROTECT:
        return QStringLiteral("The disk is read-only.");
    case ERROR_ACCESS_DENIED:
        return QStringLiteral("The system does not allow it to be changed.");
    default:
        return QString::fromStdString(std::system_category().message(static_cast<int>(error))).trimmed();
    }
}

HANDLE handleOf(QFileDevice& file)
{
    return reinterpret_cast<HANDLE>(::_get_osfhandle(file.handle()));
}

} // namespace

Result<OpenOutcome> openRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode)
{
    // Opening never waits here: a pipe's client end opens at once or not at
    // all, and a device name (CON, NUL, COM1) opens as the device, which the
    // look after opening tells from a file on a disk.
    const QFileInfo info(path);
    if (info.isDir())
        return OpenOutcome::Folder;
    if (info.exists() && !info.isFile())
        return OpenOutcome::NotAFile;
    const bool writing = mode & QIODevice::WriteOnly;
    if (writing && !info.exists())
        return Failure{QStringLiteral("The file is no longer there.")};
    file.setFileName(path);
    // Read and write together never empties the file on opening.
    if (!file.open((writing ? QIODevice::ReadWrite : QIODevice::ReadOnly) | QIODevice::Unbuffered))
        return Failure{file.errorString()};
    if (file.isSequential()) {
        file.close();
        return OpenOutcome::NotAFile;
    }
    return OpenOutcome::Opened;
}

FileKind kindOfFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return FileKind::Missing;
    if (info.isDir())
        return FileKind::Folder;
    return info.isFile() ? FileKind::Regular : FileKind::Special;
}

Result<> writeAt(QFileDevice& file, qint64 offset, QByteArrayView bytes)
{
    const HANDLE handle = handleOf(file);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 at = offset + done;
        OVERLAPPED position{};
        position.Offset = static_cast<DWORD>(at & 0xffffffff);
        position.OffsetHigh = static_cast<DWORD>(at >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(bytes.size() - done, 1 << 30));
        DWORD written = 0;
        if (!::WriteFile(handle, bytes.data() + done, chunk, &written, &position))
            return Failure{writeFailure(::GetLastError())};
        if (written == 0)
            return Failure{writeFailure(ERROR_DISK_FULL)};
        done += written;
    }
    return {};
}

Result<> syncToDisk(QFileDevice& file)
{
    if (!::FlushFileBuffers(handleOf(file)))
        return Failure{writeFailure(::GetLastError())};
    return {};
}

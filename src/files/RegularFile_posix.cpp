#include "RegularFile.h"

#include <QFile>

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemMessage(int error)
{
    return QString::fromStdString(std::generic_category().message(error));
}

// The reasons a user can act on, in plain words; the system's own words for
// the rest.
QString writeFailure(int error)
{
    switch (error) {
    // A file-size limit only stops a file of this program's sizes when the
    // room given to it is used up, which to the user is a full disk.
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("The disk is full.");
    case EROFS:
        return QStringLiteral("The disk is read-only.");
    case EACCES:
    case EPERM:
        return QStringLiteral("The system does not allow it to be changed.");
    case EIO:
        return QStringLiteral("The disk reported an error.");
    default:
        return systemMessage(error);
    }
}

} // namespace

Result<OpenOutcome> openRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode)
{
    const bool writing = mode & QIODevice::WriteOnly;
    const auto failed = [writing] { return Failure{writing ? writeFailure(errno) : systemMessage(errno)}; };
    // What the name is can only be told for sure once it is open, and opening
    // a pipe waits for a writer unless it is told not to. The flag stays: a
    // regular file is read and written at once all the same, and a file of
    // the system's that would keep a reader waiting reports an error instead.
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do
        fd = ::open(name.constData(), (writing ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return failed();

    struct stat status;
    if (::fstat(fd, &status) != 0) {
        Failure failure = failed();
        ::close(fd);
        return failure;
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        return S_ISDIR(status.st_mode) ? OpenOutcome::Folder : OpenOutcome::NotAFile;
    }
    const QIODevice::OpenMode opened = (writing ? QIODevice::ReadWrite : QIODevice::ReadOnly) | QIODevice::Unbuffered;
    if (!file.open(fd, opened, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Failure{file.errorString()};
    }
    return OpenOutcome::Opened;
}

FileKind kindOfFile(const QString& path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return FileKind::Missing;
    if (S_ISREG(status.st_mode))
        return FileKind::Regular;
    return S_ISDIR(status.st_mode) ? FileKind::Folder : FileKind::Special;
}

Result<> writeAt(QFileDevice& file, qint64 offset, QByteArrayView bytes)
{
    const int fd = file.handle();
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done),
                                   static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Failure{writeFailure(errno)};
        // A write that takes nothing and names no error has no room.
        if (n == 0)
            return Failure{writeFailure(ENOSPC)};
        done += n;
    }
    return {};
}

Result<> syncToDisk(QFileDevice& file)
{
    int result = 0;
    do
        result = ::fsync(file.handle());
    while (result != 0 && errno == EINTR);
    // A file system that keeps nothing back to put on the disk says so.
    if (result != 0 && errno != EINVAL && errno != ENOTSUP && errno != ENOSYS)
        return Failure{writeFailure(errno)};
    return {};
}

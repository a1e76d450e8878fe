#include "RegularFile.h"

#include <QFile>

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFileOpen OpenRegularFile(QFile& file, const QString& path)
{
    const auto failed = [] {
        return RegularFileOpen{RegularFileOpen::Outcome::Failed,
                               QString::fromStdString(std::generic_category().message(errno))};
    };
    // What the name is can only be told for sure once it is open, and opening
    // a pipe waits for a writer unless it is told not to. The flag stays: a
    // regular file is read at once all the same, and a file of the system's
    // that would keep a reader waiting reports an error instead.
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return failed();

    struct stat status;
    if (::fstat(fd, &status) != 0) {
        const RegularFileOpen result = failed();
        ::close(fd);
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        return {S_ISDIR(status.st_mode) ? RegularFileOpen::Outcome::Folder : RegularFileOpen::Outcome::NotAFile, {}};
    }
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {RegularFileOpen::Outcome::Failed, file.errorString()};
    }
    return {RegularFileOpen::Outcome::Opened, {}};
}

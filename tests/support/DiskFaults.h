#pragma once

// Real faults of the disk for the write tests: a file-size limit on the test
// process (any user, Unix), a small disk filled up (an administrator, Linux),
// a folder that takes no new files, and a picture of a folder to compare
// byte for byte before and after a write.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#endif

inline bool RunsAsAdministrator()
{
#ifdef Q_OS_UNIX
    return ::geteuid() == 0;
#else
    return false;
#endif
}

// While it lives, no write of this process reaches beyond `bytes` into any
// file: the write fails with EFBIG, as it would on a disk with no room left.
// SIGXFSZ is ignored meanwhile, or the first such write would end the tests.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
#ifdef Q_OS_UNIX
        if (::getrlimit(RLIMIT_FSIZE, &m_before) != 0)
            return;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_before;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
#else
        Q_UNUSED(bytes);
#endif
    }
    ~FileSizeLimit()
    {
#ifdef Q_OS_UNIX
        if (m_active)
            ::setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_handler);
#endif
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    static bool available()
    {
#ifdef Q_OS_UNIX
        return true;
#else
        return false;
#endif
    }
    bool active() const
    {
        return m_active;
    }

private:
    bool m_active = false;
#ifdef Q_OS_UNIX
    rlimit m_before{};
    void (*m_handler)(int) = SIG_DFL;
#endif
};

// A small file system of its own (a tmpfs of 256 KiB), mounted for as long
// as it lives: only an administrator on Linux can have one. fill() takes
// all its room but `leave` bytes, in whole pages.
class SmallDisk
{
public:
    static constexpr qint64 Page = 4096;

    SmallDisk()
    {
#ifdef Q_OS_LINUX
        if (!RunsAsAdministrator()) {
            m_whyNot = QStringLiteral("Only an administrator can mount a small disk.");
            return;
        }
        m_path = m_dir.filePath(QStringLiteral("disk"));
        QDir().mkpath(m_path);
        if (::mount("zarvik-test", QFile::encodeName(m_path).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=256k,mode=0755") != 0) {
            m_whyNot =
                QStringLiteral("A small disk could not be mounted: %1").arg(QString::fromLocal8Bit(strerror(errno)));
            return;
        }
        m_mounted = true;
#else
        m_whyNot = QStringLiteral("Small disks are made on Linux.");
#endif
    }
    ~SmallDisk()
    {
#ifdef Q_OS_LINUX
        if (m_mounted)
            ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
#endif
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const
    {
        return m_mounted;
    }
    const QString& whyNot() const
    {
        return m_whyNot;
    }
    QString path() const
    {
        return m_path;
    }

    // Returns false when the disk did not fill as asked.
    bool fill(qint64 leave)
    {
        QFile filler(m_path + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray page(Page, 'f');
        while (filler.write(page) == Page) {
        }
        const qint64 size = filler.size();
        return size >= leave && filler.resize(size - leave);
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    QString m_whyNot;
    bool m_mounted = false;
};

// Readies the way a full-disk row fills its disk: a small disk mounted into
// `disk`, or else the file-size limit. Returns why it cannot be had here, so
// the row is skipped with that reason, or an empty string.
inline QString ReadyFullDisk(bool smallDisk, std::optional<SmallDisk>& disk)
{
    if (!smallDisk)
        return FileSizeLimit::available() ? QString() : QStringLiteral("No file-size limit here.");
    disk.emplace();
    return disk->mounted() ? QString() : disk->whyNot();
}

// While it lives, a folder takes no new files (and loses none) while the
// files in it stay writable: an immutable folder for an administrator on
// Linux, whom permissions do not stop, a folder without write permission
// for anyone else.
class LockedFolder
{
public:
    explicit LockedFolder(const QString& path) : m_path(path)
    {
#ifdef Q_OS_UNIX
        if (!RunsAsAdministrator()) {
            m_locked = QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            if (!m_locked)
                m_whyNot = QStringLiteral("The folder's permissions could not be changed.");
            return;
        }
#endif
#ifdef Q_OS_LINUX
        m_immutable = setImmutable(true);
        m_locked = m_immutable;
        if (!m_locked)
            m_whyNot = QStringLiteral("This file system cannot mark a folder immutable.");
#elif defined(Q_OS_UNIX)
        m_whyNot = QStringLiteral("Permissions do not stop an administrator here.");
#else
        m_whyNot = QStringLiteral("A read-only mark does not stop new files in a folder here.");
#endif
    }
    ~LockedFolder()
    {
        unlock();
    }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    bool locked() const
    {
        return m_locked;
    }
    const QString& whyNot() const
    {
        return m_whyNot;
    }

    void unlock()
    {
        if (!m_locked)
            return;
        m_locked = false;
#ifdef Q_OS_LINUX
        if (m_immutable) {
            setImmutable(false);
            return;
        }
#endif
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

private:
#ifdef Q_OS_LINUX
    bool setImmutable(bool on) const
    {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }
    bool m_immutable = false;
#endif
    QString m_path;
    QString m_whyNot;
    bool m_locked = false;
};

// Everything in a folder, links not followed: a regular file by its bytes,
// anything else by what it is (and a link by where it points). Pipes and
// devices are never opened.
inline QMap<QString, QByteArray> FolderSnapshot(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir root(folder);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = root.relativeFilePath(path);
        if (info.isSymLink()) {
            entries[name] = "link to " + QFile::encodeName(info.symLinkTarget());
            continue;
        }
#ifdef Q_OS_UNIX
        struct stat status;
        if (::lstat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
            if (S_ISDIR(status.st_mode))
                entries[name] = "folder";
            else
                entries[name] = S_ISFIFO(status.st_mode) ? "pipe" : "device";
            continue;
        }
#endif
        if (info.isDir()) {
            entries[name] = "folder";
            continue;
        }
        QFile file(path);
        entries[name] = file.open(QIODevice::ReadOnly) ? "bytes " + file.readAll() : QByteArray("unreadable");
    }
    return entries;
}

// The names whose entries differ between two snapshots, each with what it
// became (cut short); empty when they are the same.
inline QString SnapshotDifference(const QMap<QString, QByteArray>& before, const QMap<QString, QByteArray>& after)
{
    QStringList names;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()))
            names << it.key() + QStringLiteral(": gone");
        else if (after.value(it.key()) != it.value())
            names << it.key() + QStringLiteral(": ") + QString::fromLatin1(after.value(it.key()).left(60)) +
                         QStringLiteral(" (%1 bytes)").arg(after.value(it.key()).size());
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            names << it.key() + QStringLiteral(": new");
    }
    return names.join(QStringLiteral("; "));
}

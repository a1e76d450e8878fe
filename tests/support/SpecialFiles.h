#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/sysmacros.h>
#endif

// Makes a name that is no regular file: "folder" anywhere; "pipe", "link to
// a pipe" and "device" (a link to /dev/zero) where the system has them
// (Unix); "device node" and "link to a device node" (a node of its own, so
// that a write that wrongly goes through harms no device of the system's)
// for an administrator (Unix). Fails the test when it cannot; callers check
// QTest::currentTestFailed().
inline void MakeSpecialFile(const QString& path, const QString& kind)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
        return;
    }
#ifdef Q_OS_UNIX
    const QString pipe = path + QStringLiteral(".pipe");
    if (kind == QLatin1String("pipe"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("link to a pipe"))
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0 && QFile::link(pipe, path));
    else if (kind == QLatin1String("device"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (kind == QLatin1String("device node"))
        QCOMPARE(::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
    else if (kind == QLatin1String("link to a device node"))
        QVERIFY(::mknod(QFile::encodeName(path + QStringLiteral(".node")).constData(), S_IFCHR | 0600, makedev(1, 3)) ==
                    0 &&
                QFile::link(path + QStringLiteral(".node"), path));
    else
        QFAIL(qPrintable(kind));
#else
    QFAIL(qPrintable(QStringLiteral("No %1 to make here.").arg(kind)));
#endif
}

// Runs a read on a thread of its own and waits a few seconds for it: a read
// that waits on a pipe or never ends fails the test at once instead of
// hanging it, and ends the process, which stops the read too.
template <class Read> auto EndsWithin(Read read, const char* what)
{
    using Outcome = decltype(read());
    auto done = std::make_shared<std::promise<Outcome>>();
    std::future<Outcome> result = done->get_future();
    std::thread([read, done] { done->set_value(read()); }).detach();
    if (result.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        std::fprintf(stderr, "FAIL! %s did not end within 5 seconds\n", what);
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    return result.get();
}

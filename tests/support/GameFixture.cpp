#include "GameFixture.h"

#include <QDir>
#include <QFile>

GameFixture::GameFixture(const Options& options)
    : m_dir((options.under.isEmpty() ? QDir::tempPath() : options.under) + QStringLiteral("/game-XXXXXX"))
{
    QDir root(m_dir.path());
    root.mkpath(QStringLiteral("System"));
    if (options.deusExExe)
        write(QStringLiteral("System/DeusEx.exe"), "MZ");
    if (options.deusExIni)
        write(QStringLiteral("System/DeusEx.ini"), options.deusExIniText);
    if (options.quenlarU)
        write(QStringLiteral("System/Quenlar.u"), "package");
    if (options.quenlarIni)
        write(QStringLiteral("System/Quenlar.ini"), options.quenlarIniText);
    if (options.maps) {
        root.mkpath(QStringLiteral("Maps"));
        for (const char* map : {"00_Intro.dx", "01_NYC_UNATCOIsland.dx", "DX.dx"})
            write(QStringLiteral("Maps/") + QLatin1String(map), "map");
    }
    for (const QString& relative : options.unreadable)
        makeUnreadable(relative);
}

void GameFixture::makeUnreadable(const QString& relative) const
{
    QFile::remove(file(relative));
    QDir().mkpath(file(relative));
}

QString GameFixture::gamePath() const
{
    return QDir::toNativeSeparators(m_dir.path()) + QDir::separator();
}

QString GameFixture::file(const QString& relative) const
{
    return gamePath() + QDir::toNativeSeparators(relative);
}

QByteArray GameFixture::read(const QString& relative) const
{
    QFile f(file(relative));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void GameFixture::write(const QString& relative, const QByteArray& bytes) const
{
    QFile f(file(relative));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

bool GameFixture::exists(const QString& relative) const
{
    return QFile::exists(file(relative));
}

QString IsolateHome(const QTemporaryDir& dir)
{
    const QString home = dir.filePath(QStringLiteral("home"));
    QDir().mkpath(home);
    qputenv("HOME", QFile::encodeName(home));
    qputenv("WINEPREFIX", QFile::encodeName(home + QStringLiteral("/.wine")));
    return home;
}

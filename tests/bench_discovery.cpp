// Times start-up's search for the game (findInstalledGame) over a home made
// for it, for scripts/bench-discovery.sh. Not part of the test run.
//
//   bench_discovery make DIR       makes the homes below DIR (once)
//   bench_discovery run HOME RUNS  searches from HOME RUNS times and prints
//                                  the folder found and the median in ms
//
// The homes: "one" has the user's own prefix (~/.wine) only, the game
// recorded there; "twelve" has that prefix without the game and eleven more
// prefixes of Lutris, bottles, CrossOver, PlayOnLinux and Heroic, searched in
// that order, the game recorded in the last one. Every prefix has a
// system.reg of 20 MB and a user.reg of 5 MB, the size of a prefix used for
// years, written as Wine writes them.

#include "discovery/InstalledGame.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr qsizetype SystemRegBytes = 20 * 1024 * 1024;
constexpr qsizetype UserRegBytes = 5 * 1024 * 1024;

bool Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Guid(quint32 n)
{
    return QByteArray::number(0x10000000u + n, 16) + "-" + QByteArray::number(0x1000 + n % 0xefff, 16) +
           "-11d0-a3a5-00c04fd706ec";
}

// A registry file of about the given size: classes, then the extra keys
// (whole header lines and their values), then programs' keys in the 32-bit
// view, all of them below Software, as most keys of a registry are.
QByteArray Registry(qsizetype bytes, bool machine, const QByteArray& extra)
{
    QByteArray reg = machine ? "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n"
                             : "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
                               "#arch=win64\n";
    reg.reserve(bytes + 4096);
    const QByteArray root =
        machine ? "Software\\\\Classes\\\\CLSID\\\\{" : "Software\\\\Microsoft\\\\Windows\\\\Shell\\\\{";
    for (quint32 n = 0; reg.size() < bytes * 9 / 10; ++n) {
        reg += "\n[" + root + Guid(n) +
               "}\\\\InprocServer32] 1700000000\n#time=1d9a0b0c0d0e0f0\n"
               "@=\"C:\\\\windows\\\\system32\\\\shell" +
               QByteArray::number(n) + ".dll\"\n\"ThreadingModel\"=\"Both\"\n";
    }
    reg += extra;
    for (quint32 n = 0; reg.size() < bytes; ++n) {
        reg += "\n[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\App" +
               QByteArray::number(n) + "] 1700000000\n\"DisplayName\"=\"App " + QByteArray::number(n) +
               "\"\n\"EstimatedSize\"=dword:00001000\n";
    }
    return reg;
}

bool MakePrefix(const QString& prefix, bool withGame)
{
    const QByteArray game =
        withGame ? "\n[Software\\\\Wow6432Node\\\\Unreal Technology\\\\Installed Apps\\\\Deus Ex] 1700000000\n"
                   "\"Folder\"=\"C:\\\\GOG Games\\\\Deus Ex\"\n"
                 : QByteArray();
    return Write(prefix + QStringLiteral("/system.reg"), Registry(SystemRegBytes, true, game)) &&
           Write(prefix + QStringLiteral("/user.reg"), Registry(UserRegBytes, false, {})) &&
           QDir().mkpath(prefix + QStringLiteral("/drive_c/windows/system32")) &&
           (!withGame || Write(prefix + QStringLiteral("/drive_c/GOG Games/Deus Ex/System/DeusEx.exe"), "MZ"));
}

bool MakeHomes(const QString& dir)
{
    const QString one = dir + QStringLiteral("/one");
    const QString twelve = dir + QStringLiteral("/twelve");
    if (!MakePrefix(one + QStringLiteral("/.wine"), true) || !MakePrefix(twelve + QStringLiteral("/.wine"), false))
        return false;
    QStringList prefixes;
    for (int n = 1; n <= 3; ++n) {
        const QString prefix = twelve + QStringLiteral("/Games/lutris-game-%1").arg(n);
        prefixes << prefix;
        if (!Write(twelve + QStringLiteral("/.local/share/lutris/games/game-%1-1700000000.yml").arg(n),
                   "game:\n  exe: " + prefix.toUtf8() + "/drive_c/Game/Game.exe\n  prefix: " + prefix.toUtf8() +
                       "\nrunner: wine\n"))
            return false;
    }
    for (int n = 1; n <= 3; ++n)
        prefixes << twelve + QStringLiteral("/.local/share/bottles/bottles/Bottle %1").arg(n);
    prefixes << twelve + QStringLiteral("/.cxoffice/Office") << twelve + QStringLiteral("/.cxoffice/Games");
    prefixes << twelve + QStringLiteral("/.PlayOnLinux/wineprefix/Old");
    for (int n = 1; n <= 2; ++n)
        prefixes << twelve + QStringLiteral("/Games/Heroic/Prefixes/default/Game %1").arg(n);
    for (qsizetype i = 0; i < prefixes.size(); ++i) {
        if (!MakePrefix(prefixes.at(i), i + 1 == prefixes.size()))
            return false;
    }
    return prefixes.size() == 11;
}

} // namespace

int main(int argc, char* argv[])
{
    const QByteArray mode = argc >= 3 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "make" && argc == 3)
        return MakeHomes(QFile::decodeName(argv[2])) ? 0 : 1;
    if (mode != "run" || argc != 4) {
        std::fprintf(stderr, "usage: bench_discovery make DIR | run HOME RUNS\n");
        return 2;
    }
    qputenv("HOME", argv[2]);
    qunsetenv("WINEPREFIX");
    const int runs = std::max(1, std::atoi(argv[3]));
    QList<double> times;
    QString found;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        found = findInstalledGame();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("%s\n%.1f\n", qPrintable(found), times.at(times.size() / 2));
    return found.isEmpty() ? 1 : 0;
}

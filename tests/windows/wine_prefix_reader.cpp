// The Linux half of the Windows check: reads the Wine prefix that the
// cross-compiled test_win32.exe has just filled, through the program's own
// Wine registry reader, and expects of it exactly what the Win32 look-up read
// under Wine. Run by scripts/windows-check.sh with the prefix as argument.

#include "Check.h"
#include "RegistryCases.h"

#include "discovery/InstalledGame.h"
#include "discovery/WineRegistry.h"
#include "files/AnsiText.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cstdio>
#include <string>

namespace {

QString qt(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string printable(const QString& text)
{
    return Check::printable(text.toStdU16String());
}

void checkRegistry(Check& check, const QString& prefix)
{
    for (const RegistryCases::Read& read : RegistryCases::Reads) {
        const QString text = WineRegistry::getStringFromPrefix(prefix, qt(read.key), qt(read.name));
        check.equal(text.toStdU16String(), read.expected,
                    std::string("getStringFromPrefix, ") + std::string(read.what));
    }
    const QStringList subkeys = WineRegistry::PrefixRegistry(prefix).subkeys(
        RegistryRoot::LocalMachine, QStringLiteral("SOFTWARE\\unreal technology\\Installed Apps"));
    check.verify(subkeys == QStringList{QStringLiteral("Deus Ex")},
                 "subkeys of the installer's parent key, got " + printable(subkeys.join(u'|')));
}

void checkPaths(Check& check, const QString& prefix)
{
    const QString driveC = QFileInfo(prefix + QStringLiteral("/drive_c")).canonicalFilePath();
    check.verify(!driveC.isEmpty(), "the prefix has drive_c");

    // Through Wine's own dosdevices links, spelt as the installer created the folders.
    const QString game = WineRegistry::toUnixPath(prefix, qt(RegistryCases::GameFolder));
    check.verify(game == driveC + QStringLiteral("/DeusEx"), "toUnixPath of the Folder value, got " + printable(game));
    const QString system = WineRegistry::toUnixPath(prefix, QStringLiteral("c:\\DEUSEX\\system"));
    check.verify(system == driveC + QStringLiteral("/DeusEx/System"),
                 "toUnixPath in another letter case, got " + printable(system));
    const QString root = QFileInfo(QStringLiteral("/tmp")).canonicalFilePath();
    const QString z = WineRegistry::toUnixPath(prefix, QStringLiteral("Z:\\tmp"));
    check.verify(z == root, "toUnixPath of the Z: drive, got " + printable(z));

    // Start-up's own look-up, as it runs for a user whose WINEPREFIX is this
    // one and who has no Steam: the folder the value names counts only once
    // it holds the game.
    qputenv("WINEPREFIX", QFile::encodeName(prefix));
    qputenv("HOME", QFile::encodeName(prefix + QStringLiteral("/no-home")));
    const QString empty = findInstalledGame();
    check.verify(empty.isEmpty(), "findInstalledGame without the game's files, got " + printable(empty));
    QFile exe(driveC + QStringLiteral("/DeusEx/System/DeusEx.exe"));
    check.verify(exe.open(QIODevice::WriteOnly) && exe.write("MZ") == 2, "make the game's DeusEx.exe");
    exe.close();
    const QString found = findInstalledGame();
    check.verify(found == driveC + QStringLiteral("/DeusEx"), "findInstalledGame, got " + printable(found));
}

// Wine's Windows-1252, byte by byte, against the one this program writes
// game files with on Linux: a file saved here reads the same on Windows.
void checkCodePage(Check& check, const QString& prefix)
{
    QFile file(prefix + QStringLiteral("/drive_c/acp-1252.txt"));
    check.verify(file.open(QIODevice::ReadOnly), "open the code page table Wine wrote");
    int lines = 0;
    int same = 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 2)
            continue;
        ++lines;
        const auto byte = static_cast<unsigned char>(fields[0].toUInt(nullptr, 16));
        const auto windows = static_cast<char16_t>(fields[1].toUInt(nullptr, 16));
        const char16_t here = Cp1252::DecodeByte(byte);
        const auto back = Cp1252::encodeChar(windows);
        if (here == windows && back && static_cast<unsigned char>(*back) == byte)
            ++same;
        else
            std::printf("byte %02x: Windows reads U+%04X, this program U+%04X\n", byte, unsigned(windows),
                        unsigned(here));
    }
    check.verify(lines == 256, "the table has every byte, it has " + std::to_string(lines));
    check.verify(same == lines, "every byte reads as on Windows, " + std::to_string(same) + " do");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s WINEPREFIX\n", argv[0]);
        return 2;
    }
    const QString prefix = QDir(QFile::decodeName(argv[1])).absolutePath();
    Check check;
    checkRegistry(check, prefix);
    checkPaths(check, prefix);
    checkCodePage(check, prefix);
    return check.finish("reader");
}

// Feeds arbitrary bytes as a Wine prefix's system.reg to the reader that
// looks up where the game's installer or GOG put the game, the way start-up
// asks.

#include "discovery/GameDiscovery.h"
#include "discovery/WineRegistry.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray systemReg =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString folder =
        WineRegistry::GetString(systemReg, QString::fromUtf16(InstallerKey), QString::fromUtf16(InstallerValue));
    // Windows hands over a text up to its first NUL, and the value is taken
    // out of the file, so it can never be longer than the file.
    if (folder.contains(QChar(0)) || folder.size() > systemReg.size())
        std::abort();
    // GOG's games are looked up through the subkeys the file lists.
    const WineRegistry::Hive hive(systemReg);
    for (const QString& key : WineRegistry::bit32KeyNames(QString::fromUtf16(GogGamesKey))) {
        for (const QString& id : hive.subkeys(key)) {
            if (id.isEmpty() || id.contains(u'\\'))
                std::abort();
            if (hive.value(key + u'\\' + id, QString::fromUtf16(GogGameValue)).size() > systemReg.size())
                std::abort();
        }
    }
    // The same through a hive that keeps only the keys asked for, as a
    // prefix's registry is read.
    const QStringList asked{QString::fromUtf16(InstallerKey), QString::fromUtf16(GogGamesKey)};
    const WineRegistry::Hive some(systemReg, asked);
    if (some.value(asked.first(), QString::fromUtf16(InstallerValue)).size() > systemReg.size())
        std::abort();
    for (const QString& id : some.subkeys(asked.last())) {
        if (id.isEmpty() || id.contains(u'\\'))
            std::abort();
    }
    return 0;
}

#include "SettingsStore.h"

#include "files/RegularFile.h"
#include "files/TextFile.h"

#include <QFileDevice>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// Qt's own INI reader and writer, run on a copy in a folder of their own, so
// that the store keeps the form it has always had, while the bytes to and
// from the store's file go through code that sees every failure: QSettings
// writes its file buffered and would put a copy cut short by a full disk in
// its place.
bool readStore(QIODevice& device, QSettings::SettingsMap& map)
{
    const QTemporaryDir dir;
    if (!dir.isValid())
        return false;
    const QString copy = dir.filePath(QStringLiteral("store.conf"));
    if (!writeFileAtomically(copy, device.readAll()).ok())
        return false;
    const QSettings ini(copy, QSettings::IniFormat);
    for (const QString& key : ini.allKeys())
        map.insert(key, ini.value(key));
    return ini.status() == QSettings::NoError;
}

bool writeStore(QIODevice& device, const QSettings::SettingsMap& map)
{
    auto* file = qobject_cast<QFileDevice*>(&device);
    const QTemporaryDir dir;
    if (!file || !dir.isValid())
        return false;
    const QString copy = dir.filePath(QStringLiteral("store.conf"));
    {
        QSettings ini(copy, QSettings::IniFormat);
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            ini.setValue(it.key(), it.value());
    }
    // The copy is only as good as what reads back from it, under a name
    // QSettings has not seen: it answers for a name it wrote from memory.
    const Result<QByteArray> read = readFileBytes(copy);
    const QString check = dir.filePath(QStringLiteral("check.conf"));
    if (!read.ok() || !writeFileAtomically(check, read.value()).ok())
        return false;
    const QSettings written(check, QSettings::IniFormat);
    if (written.status() != QSettings::NoError || written.allKeys().size() != map.size())
        return false;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (written.value(it.key()) != it.value())
            return false;
    }
    // Returning false keeps QSettings from putting its file in place.
    const QByteArray& bytes = read.value();
    return file->write(bytes) == bytes.size() && file->flush() && syncToDisk(*file).ok();
}

} // namespace

std::unique_ptr<QSettings> openSettingsStore()
{
    static const QSettings::Format Store = QSettings::registerFormat(QStringLiteral("conf"), readStore, writeStore);
    // Where QSettings keeps the native store of a user on these systems, a
    // file in its INI format; named here so that it can be looked at before
    // QSettings opens it, which it does at once, waiting on a pipe.
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/ZarvikSoft/ModLoader.conf");
    // (A folder in its place is refused by QSettings itself, at once.)
    if (kindOfFile(file) == FileKind::Special) {
        // A name below the node itself can be neither read nor made, so the
        // store reads as empty and writes nowhere.
        return std::make_unique<QSettings>(file + QStringLiteral("/ModLoader.conf"), Store);
    }
    return std::make_unique<QSettings>(file, Store);
}

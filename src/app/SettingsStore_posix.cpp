#include "SettingsStore.h"

#include "game/RegularFile.h"

#include <QStandardPaths>

std::unique_ptr<QSettings> OpenSettingsStore()
{
    // Where QSettings keeps the native store of a user on these systems, a
    // file in its INI format; named here so that it can be looked at before
    // QSettings opens it, which it does at once, waiting on a pipe.
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/ZarvikSoft/ModLoader.conf");
    // (A folder in its place is refused by QSettings itself, at once.)
    if (KindOfFile(file) == FileKind::Special) {
        // A name below the node itself can be neither read nor made, so the
        // store reads as empty and writes nowhere.
        return std::make_unique<QSettings>(file + QStringLiteral("/ModLoader.conf"), QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

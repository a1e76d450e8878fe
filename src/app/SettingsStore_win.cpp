#include "SettingsStore.h"

std::unique_ptr<QSettings> openSettingsStore()
{
    // The registry: no file to be a pipe or a device.
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ZarvikSoft"),
                                       QStringLiteral("ModLoader"));
}

#include "InstalledGame.h"

#include "SteamDiscovery.h"
#include "WineRegistry.h"

#include <QDir>

QString FindInstalledGame()
{
    const QString prefix = WineRegistry::DefaultPrefix();
    const QString folder =
        WineRegistry::GetStringFromPrefix(prefix, QString::fromUtf16(InstallKey), QString::fromUtf16(InstallValue));
    const QString directory = WineRegistry::ToUnixPath(prefix, folder);
    if (!directory.isEmpty())
        return directory;
    return FindSteamGame(QDir::homePath());
}

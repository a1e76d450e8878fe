#include "InstalledGame.h"

#include "GamePath.h"
#include "SteamDiscovery.h"
#include "WineRegistry.h"

#include <QDir>

QString FindInstalledGame()
{
    const QString prefix = WineRegistry::DefaultPrefix();
    const QString folder =
        WineRegistry::GetStringFromPrefix(prefix, QString::fromUtf16(InstallKey), QString::fromUtf16(InstallValue));
    // A value left behind by an uninstalled or moved game must not hide a
    // copy in the Steam libraries.
    const QString directory = WineRegistry::ToUnixPath(prefix, folder);
    if (!directory.isEmpty() && IsGameDirectory(directory))
        return directory;
    return FindSteamGame(QDir::homePath());
}

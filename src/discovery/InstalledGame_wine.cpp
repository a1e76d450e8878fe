#include "InstalledGame.h"

#include "GameDiscovery.h"
#include "GameLaunch.h"
#include "SteamDiscovery.h"
#include "WineRegistry.h"

#include <QDir>
#include <QStandardPaths>

QString findInstalledGame()
{
    // A value left behind by an uninstalled or moved game must not hide a
    // copy elsewhere: each source counts only where the game is.
    const QString prefix = WineRegistry::defaultPrefix();
    const WineRegistry::PrefixRegistry wine(
        prefix, {discoveryKeys(RegistryRoot::LocalMachine), discoveryKeys(RegistryRoot::CurrentUser)});
    const QString home = QDir::homePath();
    QString found = firstGameDirectory(installerCandidates(wine) + gogCandidates(wine) + heroicCandidates(home));
    if (found.isEmpty())
        found = findSteamGame(steamRoots(home));
    if (found.isEmpty())
        found = findSteamGame(steamRootsInRegistry(wine), prefix);
    if (found.isEmpty())
        found = findLaunchersGame(home, {prefix});
    return QDir::toNativeSeparators(found);
}

LaunchContext systemLaunchContext()
{
    LaunchContext context;
    context.system = HostSystem::Linux;
    context.home = QDir::homePath();
    context.defaultPrefix = WineRegistry::defaultPrefix();
    context.findProgram = [](const QString& name) { return QStandardPaths::findExecutable(name); };
    return context;
}

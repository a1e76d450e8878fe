#include "InstalledGame.h"

#include "GameDiscovery.h"
#include "GameLaunch.h"
#include "SteamDiscovery.h"
#include "WineRegistry.h"

#include <QDir>
#include <QStandardPaths>

QString FindInstalledGame()
{
    // A value left behind by an uninstalled or moved game must not hide a
    // copy elsewhere: each source counts only where the game is.
    const QString prefix = WineRegistry::DefaultPrefix();
    const WineRegistry::PrefixRegistry wine(
        prefix, {DiscoveryKeys(RegistryRoot::LocalMachine), DiscoveryKeys(RegistryRoot::CurrentUser)});
    const QString home = QDir::homePath();
    QString found = FirstGameDirectory(InstallerCandidates(wine) + GogCandidates(wine) + HeroicCandidates(home));
    if (found.isEmpty())
        found = FindSteamGame(SteamRoots(home));
    if (found.isEmpty())
        found = FindSteamGame(SteamRootsInRegistry(wine), prefix);
    if (found.isEmpty())
        found = FindLaunchersGame(home, {prefix});
    return QDir::toNativeSeparators(found);
}

LaunchContext SystemLaunchContext()
{
    LaunchContext context;
    context.system = HostSystem::Linux;
    context.home = QDir::homePath();
    context.defaultPrefix = WineRegistry::DefaultPrefix();
    context.findProgram = [](const QString& name) { return QStandardPaths::findExecutable(name); };
    return context;
}

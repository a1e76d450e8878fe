#include "GameDiscovery.h"

#include "GamePath.h"
#include "WineLaunchers.h"

#include <QDir>

namespace {

QString Text(const char16_t* text)
{
    return QString::fromUtf16(text);
}

void AppendLocal(QStringList& candidates, const RegistryReader& registry, const QString& recorded)
{
    if (recorded.isEmpty())
        return;
    const QString local = registry.localPath(recorded);
    if (!local.isEmpty())
        candidates.append(local);
}

} // namespace

QStringList InstallerCandidates(const RegistryReader& registry)
{
    QStringList candidates;
    for (const char16_t* key : {InstallerKey, OldInstallerKey})
        AppendLocal(candidates, registry, registry.value(RegistryRoot::LocalMachine, Text(key), Text(InstallerValue)));
    return candidates;
}

QStringList GogCandidates(const RegistryReader& registry)
{
    QStringList candidates;
    // Product ids differ between editions and releases, so every game GOG
    // registered is a candidate; only the one holding this game counts.
    const QString games = Text(GogGamesKey);
    for (const QString& id : registry.subkeys(RegistryRoot::LocalMachine, games)) {
        AppendLocal(candidates, registry,
                    registry.value(RegistryRoot::LocalMachine, games + u'\\' + id, Text(GogGameValue)));
    }
    AppendLocal(candidates, registry, registry.value(RegistryRoot::LocalMachine, Text(OldGogKey), Text(OldGogValue)));
    return candidates;
}

QStringList HeroicCandidates(const QString& home)
{
    QStringList candidates;
    for (const HeroicGame& game : HeroicGogGames(home))
        candidates.append(game.folder);
    return candidates;
}

QStringList SteamRootsInRegistry(const RegistryReader& registry)
{
    QStringList roots;
    AppendLocal(roots, registry, registry.value(RegistryRoot::CurrentUser, Text(SteamUserKey), Text(SteamUserValue)));
    AppendLocal(roots, registry,
                registry.value(RegistryRoot::LocalMachine, Text(SteamMachineKey), Text(SteamMachineValue)));
    return roots;
}

QString FirstGameDirectory(const QStringList& candidates)
{
    for (const QString& candidate : candidates) {
        if (IsGameDirectory(candidate))
            return QDir::cleanPath(candidate);
    }
    return {};
}

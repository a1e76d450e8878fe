#include "GameDiscovery.h"

#include "SteamDiscovery.h"
#include "WineLaunchers.h"
#include "WineRegistry.h"
#include "game/GamePath.h"

#include <QDir>
#include <QFileInfo>

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

// The same folder under one name, so that links and spellings do not repeat it.
QString Canonical(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

// Folders and prefixes tried in turn until one gives the game.
class Search
{
public:
    explicit Search(const QStringList& searchedPrefixes)
    {
        for (const QString& prefix : searchedPrefixes)
            m_prefixes.append(Canonical(prefix));
    }

    bool folders(const QStringList& candidates)
    {
        if (m_found.isEmpty())
            m_found = FirstGameDirectory(candidates);
        return !m_found.isEmpty();
    }

    bool prefix(const QString& path)
    {
        if (!m_found.isEmpty())
            return true;
        if (path.isEmpty())
            return false;
        const QString canonical = Canonical(path);
        if (m_prefixes.contains(canonical))
            return false;
        m_prefixes.append(canonical);
        m_found = FindGameInPrefix(path);
        return !m_found.isEmpty();
    }

    const QString& found() const { return m_found; }

private:
    QStringList m_prefixes;
    QString m_found;
};

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

QStringList DiscoveryKeys(RegistryRoot root)
{
    if (root == RegistryRoot::CurrentUser)
        return {Text(SteamUserKey)};
    return {Text(InstallerKey), Text(OldInstallerKey), Text(GogGamesKey), Text(OldGogKey), Text(SteamMachineKey)};
}

QString FindGameInPrefix(const QString& prefix)
{
    const WineRegistry::PrefixRegistry registry(
        prefix, {DiscoveryKeys(RegistryRoot::LocalMachine), DiscoveryKeys(RegistryRoot::CurrentUser)});
    const QString found = FirstGameDirectory(InstallerCandidates(registry) + GogCandidates(registry));
    if (!found.isEmpty())
        return found;
    return FindSteamGame(SteamRootsInRegistry(registry), prefix);
}

QString FirstGameDirectory(const QStringList& candidates)
{
    for (const QString& candidate : candidates) {
        if (IsGameDirectory(candidate))
            return QDir::cleanPath(candidate);
    }
    return {};
}

QString FindLaunchersGame(const QString& home, const QStringList& searchedPrefixes)
{
    Search search(searchedPrefixes);
    const QList<LutrisGame> lutris = LutrisGames(home);
    QStringList executableFolders;
    for (const LutrisGame& game : lutris)
        executableFolders.append(FoldersOfExecutable(game.exe));
    if (search.folders(executableFolders))
        return search.found();
    for (const LutrisGame& game : lutris) {
        if (search.prefix(game.prefix))
            return search.found();
    }
    for (const Bottle& bottle : Bottles(home)) {
        if (search.prefix(bottle.path))
            return search.found();
    }
    for (const QString& prefix : CrossOverBottles(home) + PlayOnLinuxPrefixes(home)) {
        if (search.prefix(prefix))
            return search.found();
    }
    QStringList sideloaded;
    for (const HeroicGame& game : HeroicSideloadGames(home))
        sideloaded << game.folder << FoldersOfExecutable(game.exe);
    if (search.folders(sideloaded))
        return search.found();
    for (const HeroicPrefix& prefix : HeroicPrefixes(home)) {
        if (search.prefix(prefix.path))
            return search.found();
    }
    return {};
}

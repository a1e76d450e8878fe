#include "GameDiscovery.h"

#include "SteamDiscovery.h"
#include "WineLaunchers.h"
#include "WineRegistry.h"
#include "game/GamePath.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString textOf(const char16_t* text)
{
    return QString::fromUtf16(text);
}

void appendLocal(QStringList& candidates, const RegistryReader& registry, const QString& recorded)
{
    if (recorded.isEmpty())
        return;
    const QString local = registry.localPath(recorded);
    if (!local.isEmpty())
        candidates.append(local);
}

// The same folder under one name, so that links and spellings do not repeat it.
QString canonicalPath(const QString& path)
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
            m_prefixes.append(canonicalPath(prefix));
    }

    bool folders(const QStringList& candidates)
    {
        if (m_found.isEmpty())
            m_found = firstGameDirectory(candidates);
        return !m_found.isEmpty();
    }

    bool prefix(const QString& path)
    {
        if (!m_found.isEmpty())
            return true;
        if (path.isEmpty())
            return false;
        const QString canonical = canonicalPath(path);
        if (m_prefixes.contains(canonical))
            return false;
        m_prefixes.append(canonical);
        m_found = findGameInPrefix(path);
        return !m_found.isEmpty();
    }

    const QString& found() const { return m_found; }

private:
    QStringList m_prefixes;
    QString m_found;
};

} // namespace

QStringList installerCandidates(const RegistryReader& registry)
{
    QStringList candidates;
    for (const char16_t* key : {InstallerKey, OldInstallerKey})
        appendLocal(candidates, registry,
                    registry.value(RegistryRoot::LocalMachine, textOf(key), textOf(InstallerValue)));
    return candidates;
}

QStringList gogCandidates(const RegistryReader& registry)
{
    QStringList candidates;
    // Product ids differ between editions and releases, so every game GOG
    // registered is a candidate; only the one holding this game counts.
    const QString games = textOf(GogGamesKey);
    for (const QString& id : registry.subkeys(RegistryRoot::LocalMachine, games)) {
        appendLocal(candidates, registry,
                    registry.value(RegistryRoot::LocalMachine, games + u'\\' + id, textOf(GogGameValue)));
    }
    appendLocal(candidates, registry,
                registry.value(RegistryRoot::LocalMachine, textOf(OldGogKey), textOf(OldGogValue)));
    return candidates;
}

QStringList heroicCandidates(const QString& home)
{
    QStringList candidates;
    for (const HeroicGame& game : heroicGogGames(home))
        candidates.append(game.folder);
    return candidates;
}

QStringList steamRootsInRegistry(const RegistryReader& registry)
{
    QStringList roots;
    appendLocal(roots, registry,
                registry.value(RegistryRoot::CurrentUser, textOf(SteamUserKey), textOf(SteamUserValue)));
    appendLocal(roots, registry,
                registry.value(RegistryRoot::LocalMachine, textOf(SteamMachineKey), textOf(SteamMachineValue)));
    return roots;
}

QStringList discoveryKeys(RegistryRoot root)
{
    if (root == RegistryRoot::CurrentUser)
        return {textOf(SteamUserKey)};
    return {textOf(InstallerKey), textOf(OldInstallerKey), textOf(GogGamesKey), textOf(OldGogKey),
            textOf(SteamMachineKey)};
}

QString findGameInPrefix(const QString& prefix)
{
    const WineRegistry::PrefixRegistry registry(
        prefix, {discoveryKeys(RegistryRoot::LocalMachine), discoveryKeys(RegistryRoot::CurrentUser)});
    const QString found = firstGameDirectory(installerCandidates(registry) + gogCandidates(registry));
    if (!found.isEmpty())
        return found;
    return findSteamGame(steamRootsInRegistry(registry), prefix);
}

QString firstGameDirectory(const QStringList& candidates)
{
    for (const QString& candidate : candidates) {
        if (isGameDirectory(candidate))
            return QDir::cleanPath(candidate);
    }
    return {};
}

QString findLaunchersGame(const QString& home, const QStringList& searchedPrefixes)
{
    Search search(searchedPrefixes);
    const QList<LutrisGame> lutris = lutrisGames(home);
    QStringList executableFolders;
    for (const LutrisGame& game : lutris)
        executableFolders.append(foldersOfExecutable(game.exe));
    if (search.folders(executableFolders))
        return search.found();
    for (const LutrisGame& game : lutris) {
        if (search.prefix(game.prefix))
            return search.found();
    }
    for (const Bottle& bottle : bottles(home)) {
        if (search.prefix(bottle.path))
            return search.found();
    }
    for (const QString& prefix : crossOverBottles(home) + playOnLinuxPrefixes(home)) {
        if (search.prefix(prefix))
            return search.found();
    }
    QStringList sideloaded;
    for (const HeroicGame& game : heroicSideloadGames(home))
        sideloaded << game.folder << foldersOfExecutable(game.exe);
    if (search.folders(sideloaded))
        return search.found();
    for (const HeroicPrefix& prefix : heroicPrefixes(home)) {
        if (search.prefix(prefix.path))
            return search.found();
    }
    return {};
}

#include "InstalledGame.h"

#include "GameDiscovery.h"
#include "GameLaunch.h"
#include "SteamDiscovery.h"
#include "win32/Registry.h"

#include <QDir>
#include <QStandardPaths>

namespace {

class WindowsRegistry final : public RegistryReader
{
public:
    QString value(RegistryRoot root, const QString& key, const QString& name) const override
    {
        return QString::fromStdWString(win32::GetString(hkey(root), key.toStdWString(), name.toStdWString()));
    }

    QStringList subkeys(RegistryRoot root, const QString& key) const override
    {
        QStringList names;
        for (const std::wstring& name : win32::subKeys(hkey(root), key.toStdWString()))
            names.append(QString::fromStdWString(name));
        return names;
    }

    QString localPath(const QString& recordedPath) const override { return QDir::fromNativeSeparators(recordedPath); }

private:
    static HKEY hkey(RegistryRoot root)
    {
        return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    }
};

} // namespace

QString findInstalledGame()
{
    const WindowsRegistry registry;
    QString found = firstGameDirectory(installerCandidates(registry) + gogCandidates(registry));
    if (found.isEmpty())
        found = findSteamGame(steamRootsInRegistry(registry));
    return QDir::toNativeSeparators(found);
}

LaunchContext systemLaunchContext()
{
    LaunchContext context;
    context.system = HostSystem::Windows;
    context.home = QDir::homePath();
    context.steamRoots = steamRootsInRegistry(WindowsRegistry());
    context.findProgram = [](const QString& name) { return QStandardPaths::findExecutable(name); };
    return context;
}

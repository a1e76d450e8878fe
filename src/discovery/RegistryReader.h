#pragma once

#include <QString>
#include <QStringList>

// Read access to the registry where game installers and launchers record
// their folders: Windows' own registry on Windows, a Wine prefix's registry
// files elsewhere. Nothing here ever writes to it.

enum class RegistryRoot
{
    LocalMachine, // HKEY_LOCAL_MACHINE, in its 32-bit view: the installers are 32-bit programs
    CurrentUser,  // HKEY_CURRENT_USER
};

class RegistryReader
{
public:
    virtual ~RegistryReader() = default;

    // The value as text: REG_SZ up to its first NUL, REG_BINARY as the
    // little-endian signed 16-bit number of its first two bytes. Any other
    // type, and anything missing, gives empty text.
    virtual QString value(RegistryRoot root, const QString& key, const QString& name) const = 0;

    // The names of the key's direct subkeys, in no particular order.
    virtual QStringList subkeys(RegistryRoot root, const QString& key) const = 0;

    // The directory of this system that a folder recorded in the registry
    // names, with '/' separators; empty text when it names none.
    virtual QString localPath(const QString& recordedPath) const = 0;
};

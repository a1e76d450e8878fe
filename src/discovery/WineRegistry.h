#pragma once

#include "RegistryReader.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// Reading the registry that Wine (and Proton, which is a Wine) keeps as text
// files in its prefix: system.reg for HKEY_LOCAL_MACHINE, user.reg for
// HKEY_CURRENT_USER. The program only reads them; Wine owns them.
namespace WineRegistry {

class HeaderFilter;

// One registry file, read once and looked up by key.
class Hive
{
public:
    Hive() = default;
    // The text of a .reg file as Wine writes it; anything that is not one
    // reads as an empty hive. When keys are given, only they and the keys
    // below them can be looked up, and of the rest of the file nothing is
    // kept.
    explicit Hive(const QByteArray& file, const QStringList& keys = {});

    // The same, read from a file a piece at a time, so that a registry of
    // tens of megabytes is never held whole. A file that cannot be read, is
    // no regular file or is larger than any registry gives an empty hive.
    static Hive read(const QString& path, const QStringList& keys = {});

    // The value name of the key named exactly key (in any letter case), read
    // as the Windows registry reads it: REG_SZ up to its first NUL,
    // REG_BINARY as the little-endian signed 16-bit number of its first two
    // bytes. Any other type, and anything missing or malformed, gives empty
    // text.
    QString value(const QString& key, const QString& name) const;

    // The names of the key's direct subkeys, as the file spells them, each once.
    QStringList subkeys(const QString& key) const;

private:
    // Takes in whole lines of the file, the first line first.
    void feed(QByteArrayView lines, const HeaderFilter& filter);

    struct Key
    {
        QString name;      // as the file spells it
        QByteArray values; // the lines after its header, up to the next key
    };
    QList<Key> m_keys;
    QHash<QString, qsizetype> m_index; // of m_keys, by the name in lower case
    qsizetype m_current = -1;          // the key whose lines are being taken in
};

// The names a key of HKEY_LOCAL_MACHINE has in the 32-bit view, in the order
// they are looked in: Software\Wow6432Node\... where a 32-bit installer writes
// in a 64-bit prefix, then the key itself (a 32-bit prefix has no other).
QStringList bit32KeyNames(const QString& key);

// The user's prefix: $WINEPREFIX when set, else ~/.wine.
QString defaultPrefix();

// The value valueName of the key keyPath below HKEY_LOCAL_MACHINE (32-bit view
// first) in the text of a system.reg.
QString GetString(const QByteArray& systemReg, const QString& keyPath, const QString& valueName);

// The same, read from prefix/system.reg.
QString getStringFromPrefix(const QString& prefix, const QString& keyPath, const QString& valueName);

// The directory that a Windows drive path (C:\Games\DeusEx) names inside the
// prefix, through its dosdevices links, with each existing part spelt as on
// disk, since Windows ignores letter case. Empty for a path that is not on a
// drive of the prefix.
QString toUnixPath(const QString& prefix, const QString& windowsPath);

// The keys of each root a registry is asked about, with the keys below
// them; empty lists for any key.
struct RegistryKeys
{
    QStringList machine; // HKEY_LOCAL_MACHINE, as asked: the 32-bit view's names are added
    QStringList user;    // HKEY_CURRENT_USER
};

// The registry of one prefix. Each file is read at the first look-up in it,
// and of it only the keys given, so that a look-up answered by system.reg
// never reads user.reg.
class PrefixRegistry final : public RegistryReader
{
public:
    explicit PrefixRegistry(const QString& prefix, RegistryKeys keys = {});

    QString value(RegistryRoot root, const QString& key, const QString& name) const override;
    QStringList subkeys(RegistryRoot root, const QString& key) const override;
    QString localPath(const QString& recordedPath) const override;

    const QString& prefix() const { return m_prefix; }

private:
    const Hive& hive(RegistryRoot root) const;

    QString m_prefix;
    RegistryKeys m_keys;
    mutable std::optional<Hive> m_machine;
    mutable std::optional<Hive> m_user;
};

} // namespace WineRegistry

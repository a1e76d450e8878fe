#pragma once

#include <QByteArray>
#include <QString>

// Reading the machine part of the registry that Wine (and Proton, which is a
// Wine) keeps as a text file, system.reg, in its prefix. The program only
// reads it; Wine owns it.
namespace WineRegistry {

// The user's prefix: $WINEPREFIX when set, else ~/.wine.
QString DefaultPrefix();

// The value strValue of the key strPath below HKEY_LOCAL_MACHINE, in the
// text of a system.reg, read as the Windows registry reads it: REG_SZ up to
// its first NUL, REG_BINARY as the little-endian signed 16-bit number of its
// first two bytes. The key is also looked for in the 32-bit view
// (Software\Wow6432Node\...), where a 32-bit installer writes in a 64-bit
// prefix. Any other type, and anything missing or malformed, gives empty text.
QString GetString(const QByteArray& systemReg, const QString& strPath, const QString& strValue);

// The same, read from prefix/system.reg.
QString GetStringFromPrefix(const QString& prefix, const QString& strPath, const QString& strValue);

// The directory that a Windows drive path (C:\Games\DeusEx) names inside the
// prefix, through its dosdevices links, with each existing part spelt as on
// disk, since Windows ignores letter case. Empty for a path that is not on a
// drive of the prefix.
QString ToUnixPath(const QString& prefix, const QString& windowsPath);

} // namespace WineRegistry

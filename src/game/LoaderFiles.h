#pragma once

#include "core/Result.h"
#include "files/TextFile.h"

#include <QByteArray>
#include <QString>

// The mod loader's two settings files in the game's System folder:
// DeusEx.ini names the default game, Quenlar.ini holds the autostart flag.

// The check box writes "bAutoStart=True", saving writes "bAutoStart = True";
// the loader reads both.
enum class FlagForm
{
    Unspaced,
    Spaced,
};

// Full names of the loader's files and of the game's settings for a game
// directory.
QString deusExIniFile(const QString& gamePath);
QString deusExIniBackupFile(const QString& gamePath);
QString quenlarPackageFile(const QString& gamePath);

// Whether the game's settings still name the game's own default game
// ("DefaultGame=DeusEx.DeusExGameInfo" anywhere, in any letter case).
bool namesGameDefault(const QByteArray& deusExIni);

// The settings with every such occurrence replaced by
// "DefaultGame=Quenlar.MLGameInfo"; all other bytes stay as they are.
QByteArray switchedDefaultGame(const QByteArray& deusExIni);

// Rewrites System/DeusEx.ini from the content read before, switched to the
// loader. The first switch keeps the original as System/DeusEx.ini.bak (an
// existing backup is never replaced) and refuses when it cannot; the file
// itself is replaced whole or not at all, and never created. A switch that
// fails leaves no new backup behind.
Result<> SwitchDefaultGame(const QString& gamePath, const QByteArray& deusExIni);

// "[Quenlar.MLGameInfo]", CR LF and the flag line, no final line break.
QString autostartFlagText(bool on, FlagForm form);

// The flag file's full name for a game directory.
QString autostartFlagFile(const QString& gamePath);

// On when the flag file holds "True" anywhere, in any letter case. A missing
// file is off without an error; an existing file that cannot be read fails
// with the reason.
Result<bool> ReadAutostartFlag(const QString& gamePath);

// Replaces the whole flag file (creating it when missing), in place when its
// folder takes no new files.
Result<> WriteAutostartFlag(const QString& gamePath, bool on, FlagForm form);

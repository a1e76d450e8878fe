#pragma once

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

// "[Quenlar.MLGameInfo]", CR LF and the flag line, no final line break.
QString AutostartFlagText(bool on, FlagForm form);

// The flag file's full name for a game directory.
QString AutostartFlagFile(const QString& gamePath);

// Replaces the whole flag file (creating it when missing). Returns the
// reason on failure, else an empty text.
QString WriteAutostartFlag(const QString& gamePath, bool on, FlagForm form);

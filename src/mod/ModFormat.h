#pragma once

#include "ModDefinition.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Placeholders that stand for "no value of the mod's own".
inline constexpr char PlaceholderPlayerClass[] = "MyPackage.MyNewPlayer";
inline constexpr char PlaceholderSplashMap[] = "DX.dx";

// The Description value of the Object line, e.g. "Skills=0;0;…;; Map=".
QString ComposeDescription(const ModDefinition& mod);

// The whole file: "[Public]", CR LF, the Object line, no final line break.
QString ComposeModFile(const ModDefinition& mod);

// The text written for one skill level: its numeric value minus one, in the
// fewest digits that read back as the same level.
QString EncodeSkillLevel(const QString& levelText);

// A value that cannot go into the file as it stands, with the field it is in.
struct UnsavableValue
{
    QString field;   // as the user knows it, e.g. "Mod Name"
    QString message; // full text to show
};

// Values that would not read back as saved (a ";" inside a list or item that
// Open reads up to one, the closing quote of the Object line where Open stops
// at it, a quote in the name, a key text that Open would find before its own
// item or in place of one left out), a line break, which would break the
// file's two lines, and characters the file's single-byte encoding cannot
// carry. The first offending field in file order is reported; nothing means
// the mod can be saved.
std::optional<UnsavableValue> FindUnsavableValue(const ModDefinition& mod);

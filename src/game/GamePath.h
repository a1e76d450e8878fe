#pragma once

#include <QString>

// Whether a directory holds the game: System/DeusEx.exe in any letter case.
bool isGameDirectory(const QString& directory);

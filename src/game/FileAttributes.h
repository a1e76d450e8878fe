#pragma once

class QFileInfo;

// Whether a file is one that the game's own file searches skip: a hidden
// file, and on Windows also a system file. One implementation per platform.
bool IsHiddenOrSystemFile(const QFileInfo& file);

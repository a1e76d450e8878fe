#pragma once

class QFileInfo;
class QString;

// Whether a file is one that the game's own file searches skip: a hidden
// file, and on Windows also a system file. One implementation per platform.
bool isHiddenOrSystemFile(const QFileInfo& file);

// Whether another program holds the file open in a way that keeps it from
// being replaced (on Windows, without sharing its deletion). Elsewhere an
// open file never stands in the way.
bool heldOpenByAnotherProgram(const QString& path);

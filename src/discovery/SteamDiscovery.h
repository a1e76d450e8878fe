#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// Finding the game in the Steam libraries: Steam's own folder, the libraries
// it lists, and in each the game's manifest and, for Steam for Linux, the
// game's Proton prefix.

// Valve's KeyValues text ("VDF"): quoted or bare keys, each followed by a
// quoted or bare text or by a { } block of more pairs. The reader is
// tolerant: comments, "[$WIN32]"-style conditions and stray braces are
// skipped, and a file cut short keeps what was read before the cut.
class VdfNode
{
public:
    struct Entry
    {
        QString key;
        QString text;                   // when it is a plain value
        std::shared_ptr<VdfNode> block; // when it is a block
    };

    static VdfNode parse(const QString& text);

    // The first entry of that key, in any letter case, or nullptr.
    const Entry* find(const QString& key) const;
    // The text of the first plain value of that key, or empty text.
    QString text(const QString& key) const;
    // The first block of that key, or nullptr.
    const VdfNode* block(const QString& key) const;

    QList<Entry> entries;
};

// Deus Ex: Game of the Year Edition.
inline constexpr int DeusExSteamAppId = 6910;

// The places Steam for Linux keeps its own files under a home directory, in
// the order they are tried: native, the Debian/Ubuntu package's links,
// Flatpak and Snap.
QStringList steamRoots(const QString& home);

// The libraries of a Steam root: the root itself, then those its
// libraryfolders.vdf files name, each once, spelt as on disk. For a Steam for
// Windows in a Wine prefix, the prefix: the files name Windows paths
// (D:\SteamLibrary), each taken through the prefix's drives.
QStringList steamLibraries(const QString& steamRoot, const QString& prefix = {});

// The game's directories a library offers, valid or not: the install folder
// its manifest names, then the folder the installer's registry value names
// in the game's Proton prefix. Folders are found in any letter case.
QStringList gameCandidates(const QString& library);

// The first candidate of the roots' libraries that holds the game
// (System/DeusEx.exe), without a final separator; empty text when none does.
// The roots of a Steam for Windows in a Wine prefix come with that prefix.
QString findSteamGame(const QStringList& roots, const QString& prefix = {});

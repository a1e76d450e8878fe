#pragma once

#include "core/Result.h"
#include "game/LoaderFiles.h"
#include "mod/ModDefinition.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class QSettings;

// What is being edited, held once: the mod, the file it belongs to, the game
// directory it is made for and the loader's autostart state. The pages show
// it and write the user's edits back; the window draws its caption from the
// file. New, Open and Save, the loader's switch and the autostart flag are
// its operations, and each says why it failed in words for the user.
class ModDocument : public QObject
{
    Q_OBJECT
public:
    // The game directory is remembered under "DXPath" in the settings.
    explicit ModDocument(QSettings& settings, QObject* parent = nullptr);

    // The mod. Replacing it whole (New, Open, setMod) tells every view to
    // show it afresh (modReplaced); a view's own edit changes one part and
    // tells only modChanged, so no other control is touched.
    const ModDefinition& mod() const { return m_mod; }
    void setMod(const ModDefinition& mod);
    template <class Edit> void editMod(Edit&& edit)
    {
        std::forward<Edit>(edit)(m_mod);
        emit modChanged();
    }

    // The file the mod was opened from or saved to, as the system writes its
    // path; empty for a new mod.
    const QString& fileName() const { return m_fileName; }
    // Whether Save must ask where to write: only a name ending in ".int",
    // exactly so, is written back to.
    bool needsFileName() const;

    // The game directory, with its final separator once complete. Every
    // change is remembered in the settings at once.
    const QString& gamePath() const { return m_gamePath; }
    void setGamePath(const QString& path);
    // Takes the remembered directory back, with its final separator.
    void restoreGamePath();
    // Takes the directory where the game is found installed; false when it
    // is found nowhere, and the directory stays as it was.
    bool detectGamePath();
    // Takes a folder the user chose, when it holds the game.
    Result<> chooseGamePath(const QString& folder);

    // Whether the loader starts the mod by itself: the state of its flag
    // file in the game directory.
    bool autostart() const { return m_autostart; }
    // Turns autostart on or off and writes the flag, unspaced, where a game
    // directory is known. A flag that cannot be written leaves the state
    // as the file still says (as it was where the file cannot be read
    // either), and the failure says why.
    Result<> setAutostart(bool on);
    // Writes the state as it is, in the given form, as Save does; a failure
    // takes the state back as setAutostart does.
    Result<> writeAutostartFlag(FlagForm form);
    // Start-up: turns autostart on when the flag file says so. A file that
    // cannot be read leaves it off.
    Result<> readAutostartFlag();

    // New: an empty mod without a file, and autostart off.
    Result<> newMod();
    // Open: reads the file into the document, which then belongs to it. The
    // value holds what the user should learn of the file as read: where the
    // game reads it otherwise, and augmentations that were left out.
    Result<QStringList> open(const QString& fileName);
    // Whether the mod can be saved now: a game directory is known and every
    // value fits the file.
    Result<> checkSavable() const;
    // Save: writes the mod to the file, which the document then belongs to.
    Result<> save(const QString& fileName);

    // The game's settings (System/DeusEx.ini), or nothing where the file is
    // missing (a hidden one counts as missing).
    Result<std::optional<QByteArray>> readGameSettings() const;
    // Whether the loader's package is in the game's System folder.
    bool loaderPackageFound() const;
    // Whether the settings read still name the game's own default game, so
    // that the loader does not run.
    static bool loaderNeedsSwitch(const QByteArray& settings);
    // Switches the game's default game to the loader, from the settings read.
    Result<> switchToLoader(const QByteArray& settings);

signals:
    // The mod was replaced whole; modChanged follows.
    void modReplaced();
    // Any part of the mod changed.
    void modChanged();
    void fileNameChanged(const QString& fileName);
    void gamePathChanged(const QString& gamePath);
    void autostartChanged(bool on);

private:
    void setFileName(const QString& fileName);
    void setAutostartState(bool on);
    // The flag written in the given form; on failure the state goes back to
    // the file's, or to shownBefore where the file cannot be read either.
    Result<> writeFlag(FlagForm form, bool shownBefore);

    QSettings& m_settings;
    ModDefinition m_mod;
    QString m_fileName;
    QString m_gamePath;
    bool m_autostart = false;
};

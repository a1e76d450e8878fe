#include "ModDocument.h"

#include "discovery/InstalledGame.h"
#include "files/Paths.h"
#include "files/TextFile.h"
#include "game/GamePath.h"
#include "mod/ModFormat.h"
#include "mod/ModReader.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

// The per-user setting that remembers the game directory.
constexpr char PathSettingKey[] = "DXPath";

} // namespace

ModDocument::ModDocument(QSettings& settings, QObject* parent) : QObject(parent), m_settings(settings) {}

void ModDocument::setMod(const ModDefinition& mod)
{
    m_mod = mod;
    emit modReplaced();
    emit modChanged();
}

bool ModDocument::needsFileName() const
{
    return !m_fileName.endsWith(QLatin1String(".int"));
}

void ModDocument::setFileName(const QString& fileName)
{
    if (m_fileName == fileName)
        return;
    m_fileName = fileName;
    emit fileNameChanged(m_fileName);
}

void ModDocument::setGamePath(const QString& path)
{
    if (m_gamePath == path)
        return;
    m_gamePath = path;
    // Start-up takes the remembered path back: writing it back unchanged
    // would cost a locked, synced rewrite of the settings file before the
    // window is painted.
    const QString key = QString::fromLatin1(PathSettingKey);
    if (m_settings.value(key).toString() != path || !m_settings.contains(key))
        m_settings.setValue(key, path);
    emit gamePathChanged(m_gamePath);
}

void ModDocument::restoreGamePath()
{
    // One saved while the field still had the focus lacks its final
    // separator, and every name joined to it would miss.
    setGamePath(withTrailingSeparator(m_settings.value(QString::fromLatin1(PathSettingKey)).toString()));
}

bool ModDocument::detectGamePath()
{
    const QString detected = findInstalledGame();
    if (detected.isEmpty())
        return false;
    setGamePath(withTrailingSeparator(detected));
    return true;
}

Result<> ModDocument::chooseGamePath(const QString& folder)
{
    if (!isGameDirectory(folder))
        return Failure{QStringLiteral("Essential Deus Ex files were not found in this directory.")};
    // A drive root comes with its separator already there.
    setGamePath(withTrailingSeparator(folder));
    return {};
}

void ModDocument::setAutostartState(bool on)
{
    if (m_autostart == on)
        return;
    m_autostart = on;
    emit autostartChanged(m_autostart);
}

Result<> ModDocument::setAutostart(bool on)
{
    const bool before = m_autostart;
    if (before == on)
        return {};
    setAutostartState(on);
    if (m_gamePath.isEmpty())
        return {};
    return writeFlag(FlagForm::Unspaced, before);
}

Result<> ModDocument::writeAutostartFlag(FlagForm form)
{
    return writeFlag(form, m_autostart);
}

Result<> ModDocument::writeFlag(FlagForm form, bool shownBefore)
{
    const Result<> written = WriteAutostartFlag(m_gamePath, m_autostart, form);
    if (written.ok())
        return {};
    // The loader goes by the file, so the state goes back to what the file
    // still says, or to what it was where the file cannot be read either.
    const Result<bool> flag = ReadAutostartFlag(m_gamePath);
    setAutostartState(flag.valueOr(shownBefore));
    return Failure{QStringLiteral("The autostart setting could not be written to %1.\n%2")
                       .arg(pathInMessage(autostartFlagFile(m_gamePath)), written.error())};
}

Result<> ModDocument::readAutostartFlag()
{
    // With no game directory the name is relative to the working directory,
    // and what is found there is shown all the same.
    const Result<bool> flag = ReadAutostartFlag(m_gamePath);
    if (!flag.ok()) {
        return Failure{QStringLiteral("%1 could not be read, so autostart is taken as off.\n%2")
                           .arg(pathInMessage(autostartFlagFile(m_gamePath)), flag.error())};
    }
    // Taken on as the box takes a click: the flag is written back.
    if (flag.value())
        return setAutostart(true);
    return {};
}

Result<> ModDocument::newMod()
{
    setMod(ModDefinition());
    // Beyond the mod itself, New turns autostart off, which Open leaves
    // alone; the flag is rewritten only when it was on.
    const Result<> autostart = setAutostart(false);
    setFileName(QString());
    return autostart;
}

Result<QStringList> ModDocument::open(const QString& fileName)
{
    // Qt's dialogs and the command line give "/" on Windows too; messages
    // and the caption show the path as the system writes it.
    const QString path = QDir::toNativeSeparators(fileName);
    const auto refused = [&path](const QString& reason) {
        return Failure{QStringLiteral("%1 is not a mod definition file.\n%2").arg(pathInMessage(path), reason)};
    };
    const auto cannotOpen = [&path](const QString& reason) {
        return Failure{QStringLiteral("%1 could not be opened.\n%2").arg(pathInMessage(path), reason)};
    };
    const QFileInfo info(path);
    if (info.isFile() && info.size() > MaxModFileBytes)
        return refused(QStringLiteral("It is larger than a mod definition can be."));
    const Result<QByteArray> read = readFileBytes(path, MaxModFileBytes);
    if (!read.ok())
        return cannotOpen(read.error());
    // The record read starts as a new mod, so nothing of the mod shown before
    // survives where the file is silent.
    const ModFileContents contents = readModFile(read.value());
    using Refusal = ModFileContents::Refusal;
    switch (contents.refusal) {
    case Refusal::None:
        break;
    case Refusal::Empty:
        return refused(QStringLiteral("It is empty."));
    case Refusal::Utf16:
        return cannotOpen(QStringLiteral("It is saved in UTF-16 (Notepad's \"Unicode\"), which a mod definition "
                                         "cannot be. Save it as ANSI and open it again."));
    case Refusal::NoObjectLine:
        return refused(QStringLiteral("It has no Object= line naming MetaClass=Quenlar.MLGameInfo, as every mod of "
                                      "the Orvane Mod Loader has."));
    case Refusal::OverlongValue:
        return cannotOpen(QStringLiteral("Its %1 value is longer than the %2 characters the field holds.")
                              .arg(contents.overlongField)
                              .arg(MaxFieldLength));
    }
    setMod(contents.mod);
    setFileName(path);

    // The pages show the file as Open reads it; where the game will read it
    // otherwise, the user learns it now rather than in the game.
    QStringList notes;
    if (contents.game.differs())
        notes << gameReadingMessage(contents.game, contents.mod);
    const QStringList& unplaced = contents.report.unplacedAugmentations;
    if (!unplaced.isEmpty()) {
        // A box as tall as a damaged file's list would put its button off
        // the screen.
        constexpr qsizetype MaxListed = 20;
        QString list = unplaced.mid(0, MaxListed).join(u'\n');
        if (unplaced.size() > MaxListed)
            list += QStringLiteral("\nand %1 more.").arg(unplaced.size() - MaxListed);
        notes << QStringLiteral("These augmentations could not be placed in a free slot of their body part and "
                                "were left out:\n%1")
                     .arg(list);
    }
    return notes;
}

Result<> ModDocument::checkSavable() const
{
    if (m_gamePath.isEmpty())
        return Failure{QStringLiteral("You must specify the Deus Ex path in the Deus Ex Path field")};
    if (const auto unsavable = findUnsavableValue(m_mod))
        return Failure{unsavable->message};
    return {};
}

Result<> ModDocument::save(const QString& fileName)
{
    if (Result<> savable = checkSavable(); !savable.ok())
        return savable;
    const QString target = QDir::toNativeSeparators(fileName);
    const Result<> written = writeTextFile(target, composeModFile(m_mod), InPlaceWrite::WhenNoTemporaryFile);
    if (!written.ok()) {
        return Failure{
            QStringLiteral("The mod could not be saved to %1.\n%2").arg(pathInMessage(target), written.error())};
    }
    setFileName(target);
    return {};
}

Result<std::optional<QByteArray>> ModDocument::readGameSettings() const
{
    // The same test as for the loader's package: a hidden (or, on Windows,
    // system) file counts as missing.
    const QString iniFile = deusExIniFile(m_gamePath);
    if (!gameFileExists(iniFile))
        return std::optional<QByteArray>();
    const Result<QByteArray> ini = readFileBytes(iniFile);
    if (!ini.ok())
        return Failure{QStringLiteral("%1 could not be read.\n%2").arg(pathInMessage(iniFile), ini.error())};
    return std::optional<QByteArray>(ini.value());
}

bool ModDocument::loaderPackageFound() const
{
    return gameFileExists(quenlarPackageFile(m_gamePath));
}

bool ModDocument::loaderNeedsSwitch(const QByteArray& settings)
{
    return namesGameDefault(settings);
}

Result<> ModDocument::switchToLoader(const QByteArray& settings)
{
    const Result<> switched = SwitchDefaultGame(m_gamePath, settings);
    if (!switched.ok())
        return Failure{QStringLiteral("The Orvane Mod Loader could not be set up.\n%1").arg(switched.error())};
    return {};
}

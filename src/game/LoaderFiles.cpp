#include "LoaderFiles.h"

#include "files/Paths.h"
#include "files/RegularFile.h"
#include "files/TextFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QByteArray GameDefault = QByteArrayLiteral("DefaultGame=DeusEx.DeusExGameInfo");
const QByteArray LoaderDefault = QByteArrayLiteral("DefaultGame=Quenlar.MLGameInfo");

// The searched texts are plain ASCII, which every single-byte code page
// shares, so the search runs on the bytes and leaves all others untouched.
qsizetype indexIgnoringCase(const QByteArray& haystack, const QByteArray& needle, qsizetype from)
{
    for (qsizetype i = from; i + needle.size() <= haystack.size(); ++i) {
        if (qstrnicmp(haystack.constData() + i, needle.constData(), needle.size()) == 0)
            return i;
    }
    return -1;
}

} // namespace

QString deusExIniFile(const QString& gamePath)
{
    return gameFile(gamePath, QStringLiteral("System/DeusEx.ini"));
}

QString deusExIniBackupFile(const QString& gamePath)
{
    return gameFile(gamePath, QStringLiteral("System/DeusEx.ini.bak"));
}

QString quenlarPackageFile(const QString& gamePath)
{
    return gameFile(gamePath, QStringLiteral("System/Quenlar.u"));
}

bool namesGameDefault(const QByteArray& deusExIni)
{
    return indexIgnoringCase(deusExIni, GameDefault, 0) >= 0;
}

QByteArray switchedDefaultGame(const QByteArray& deusExIni)
{
    QByteArray out;
    out.reserve(deusExIni.size());
    qsizetype from = 0;
    for (qsizetype at = indexIgnoringCase(deusExIni, GameDefault, 0); at >= 0;
         at = indexIgnoringCase(deusExIni, GameDefault, from)) {
        out.append(deusExIni.constData() + from, at - from);
        out.append(LoaderDefault);
        from = at + GameDefault.size();
    }
    out.append(deusExIni.constData() + from, deusExIni.size() - from);
    return out;
}

Result<> SwitchDefaultGame(const QString& gamePath, const QByteArray& deusExIni)
{
    const QString file = deusExIniFile(gamePath);
    switch (kindOfFile(file)) {
    case FileKind::Regular:
        break;
    case FileKind::Special:
        return Failure{QStringLiteral("%1 could not be written.\nIt is a device, pipe or socket, not a file.")
                           .arg(pathInMessage(file))};
    case FileKind::Missing:
    case FileKind::Folder:
        return Failure{QStringLiteral("The file %1 is no longer there.").arg(pathInMessage(file))};
    }

    // The user's own settings are kept once, as they were before the first
    // switch; a later switch must not replace them with switched ones. No
    // switch without that copy, whole on the disk: the settings are never
    // rewritten in place. A copy that could not be written whole was never
    // put in place, so none is left.
    const QString backup = deusExIniBackupFile(gamePath);
    const bool keepsBackup = !QFileInfo(backup).isFile();
    if (keepsBackup) {
        const Result<> kept = writeFileAtomically(backup, deusExIni);
        if (!kept.ok()) {
            return Failure{QStringLiteral("A copy of the settings could not be kept as %1.\n%2")
                               .arg(pathInMessage(backup), kept.error())};
        }
    }
    const Result<> written = writeFileAtomically(file, switchedDefaultGame(deusExIni));
    if (!written.ok()) {
        // The settings are as they were, so the copy made for them goes.
        if (keepsBackup)
            QFile::remove(backup);
        return Failure{QStringLiteral("%1 could not be written.\n%2").arg(pathInMessage(file), written.error())};
    }
    return {};
}

QString autostartFlagText(bool on, FlagForm form)
{
    const char* line = nullptr;
    if (form == FlagForm::Spaced)
        line = on ? "bAutoStart = True" : "bAutoStart = False";
    else
        line = on ? "bAutoStart=True" : "bAutoStart=False";
    return QStringLiteral("[Quenlar.MLGameInfo]\r\n") + QLatin1String(line);
}

QString autostartFlagFile(const QString& gamePath)
{
    return gameFile(gamePath, QStringLiteral("System/Quenlar.ini"));
}

Result<bool> ReadAutostartFlag(const QString& gamePath)
{
    const QString file = autostartFlagFile(gamePath);
    const QFileInfo info(file);
    if (!info.exists() && !info.isSymLink())
        return false;
    const Result<QByteArray> read = readFileBytes(file);
    if (!read.ok())
        return Failure{read.error()};
    return indexIgnoringCase(read.value(), QByteArrayLiteral("True"), 0) >= 0;
}

Result<> WriteAutostartFlag(const QString& gamePath, bool on, FlagForm form)
{
    return writeTextFile(autostartFlagFile(gamePath), autostartFlagText(on, form), InPlaceWrite::WhenNoTemporaryFile);
}

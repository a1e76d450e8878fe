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
qsizetype IndexIgnoringCase(const QByteArray& haystack, const QByteArray& needle, qsizetype from)
{
    for (qsizetype i = from; i + needle.size() <= haystack.size(); ++i) {
        if (qstrnicmp(haystack.constData() + i, needle.constData(), needle.size()) == 0)
            return i;
    }
    return -1;
}

} // namespace

QString DeusExIniFile(const QString& gamePath)
{
    return GameFile(gamePath, QStringLiteral("System/DeusEx.ini"));
}

QString DeusExIniBackupFile(const QString& gamePath)
{
    return GameFile(gamePath, QStringLiteral("System/DeusEx.ini.bak"));
}

QString QuenlarPackageFile(const QString& gamePath)
{
    return GameFile(gamePath, QStringLiteral("System/Quenlar.u"));
}

bool NamesGameDefault(const QByteArray& deusExIni)
{
    return IndexIgnoringCase(deusExIni, GameDefault, 0) >= 0;
}

QByteArray SwitchedDefaultGame(const QByteArray& deusExIni)
{
    QByteArray out;
    out.reserve(deusExIni.size());
    qsizetype from = 0;
    for (qsizetype at = IndexIgnoringCase(deusExIni, GameDefault, 0); at >= 0;
         at = IndexIgnoringCase(deusExIni, GameDefault, from)) {
        out.append(deusExIni.constData() + from, at - from);
        out.append(LoaderDefault);
        from = at + GameDefault.size();
    }
    out.append(deusExIni.constData() + from, deusExIni.size() - from);
    return out;
}

Result<> SwitchDefaultGame(const QString& gamePath, const QByteArray& deusExIni)
{
    const QString file = DeusExIniFile(gamePath);
    switch (KindOfFile(file)) {
    case FileKind::Regular:
        break;
    case FileKind::Special:
        return Failure{QStringLiteral("%1 could not be written.\nIt is a device, pipe or socket, not a file.")
                           .arg(PathInMessage(file))};
    case FileKind::Missing:
    case FileKind::Folder:
        return Failure{QStringLiteral("The file %1 is no longer there.").arg(PathInMessage(file))};
    }

    // The user's own settings are kept once, as they were before the first
    // switch; a later switch must not replace them with switched ones. No
    // switch without that copy, whole on the disk: the settings are never
    // rewritten in place. A copy that could not be written whole was never
    // put in place, so none is left.
    const QString backup = DeusExIniBackupFile(gamePath);
    const bool keepsBackup = !QFileInfo(backup).isFile();
    if (keepsBackup) {
        const Result<> kept = WriteFileAtomically(backup, deusExIni);
        if (!kept.ok()) {
            return Failure{QStringLiteral("A copy of the settings could not be kept as %1.\n%2")
                               .arg(PathInMessage(backup), kept.error())};
        }
    }
    const Result<> written = WriteFileAtomically(file, SwitchedDefaultGame(deusExIni));
    if (!written.ok()) {
        // The settings are as they were, so the copy made for them goes.
        if (keepsBackup)
            QFile::remove(backup);
        return Failure{QStringLiteral("%1 could not be written.\n%2").arg(PathInMessage(file), written.error())};
    }
    return {};
}

QString AutostartFlagText(bool on, FlagForm form)
{
    const char* line = nullptr;
    if (form == FlagForm::Spaced)
        line = on ? "bAutoStart = True" : "bAutoStart = False";
    else
        line = on ? "bAutoStart=True" : "bAutoStart=False";
    return QStringLiteral("[Quenlar.MLGameInfo]\r\n") + QLatin1String(line);
}

QString AutostartFlagFile(const QString& gamePath)
{
    return GameFile(gamePath, QStringLiteral("System/Quenlar.ini"));
}

Result<bool> ReadAutostartFlag(const QString& gamePath)
{
    const QString file = AutostartFlagFile(gamePath);
    const QFileInfo info(file);
    if (!info.exists() && !info.isSymLink())
        return false;
    const Result<QByteArray> read = ReadFileBytes(file);
    if (!read.ok())
        return Failure{read.error()};
    return IndexIgnoringCase(read.value(), QByteArrayLiteral("True"), 0) >= 0;
}

Result<> WriteAutostartFlag(const QString& gamePath, bool on, FlagForm form)
{
    return WriteTextFile(AutostartFlagFile(gamePath), AutostartFlagText(on, form), InPlaceWrite::WhenNoTemporaryFile);
}

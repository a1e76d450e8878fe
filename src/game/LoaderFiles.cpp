#include "LoaderFiles.h"

#include "GamePath.h"
#include "TextFile.h"

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

QString WriteAutostartFlag(const QString& gamePath, bool on, FlagForm form)
{
    return WriteTextFile(AutostartFlagFile(gamePath), AutostartFlagText(on, form));
}

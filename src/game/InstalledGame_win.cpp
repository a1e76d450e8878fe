#include "InstalledGame.h"

#include "win32/Registry.h"

QString FindInstalledGame()
{
    return QString::fromStdWString(win32::GetString(HKEY_LOCAL_MACHINE, QString::fromUtf16(InstallKey).toStdWString(),
                                                    QString::fromUtf16(InstallValue).toStdWString()));
}

#include "GamePath.h"

#include "files/Paths.h"

bool IsGameDirectory(const QString& directory)
{
    if (directory.isEmpty())
        return false;
    return GameFileExists(GameFile(WithTrailingSeparator(directory), QStringLiteral("System/DeusEx.exe")));
}

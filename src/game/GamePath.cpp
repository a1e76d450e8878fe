#include "GamePath.h"

#include "files/Paths.h"

bool isGameDirectory(const QString& directory)
{
    if (directory.isEmpty())
        return false;
    return gameFileExists(gameFile(withTrailingSeparator(directory), QStringLiteral("System/DeusEx.exe")));
}

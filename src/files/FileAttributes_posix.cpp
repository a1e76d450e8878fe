#include "FileAttributes.h"

#include <QFileInfo>

// A name starting with a dot is hidden here; there are no system files.
bool IsHiddenOrSystemFile(const QFileInfo& file)
{
    return file.fileName().startsWith(u'.');
}

bool HeldOpenByAnotherProgram(const QString&)
{
    return false;
}

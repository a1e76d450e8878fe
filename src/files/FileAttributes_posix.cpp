#include "FileAttributes.h"

#include <QFileInfo>

// A name starting with a dot is hidden here; there are no system files.
bool isHiddenOrSystemFile(const QFileInfo& file)
{
    return file.fileName().startsWith(u'.');
}

bool heldOpenByAnotherProgram(const QString&)
{
    return false;
}

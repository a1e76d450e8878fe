#include "FileAttributes.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

bool IsHiddenOrSystemFile(const QFileInfo& file)
{
    const QString path = QDir::toNativeSeparators(file.absoluteFilePath());
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16()));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

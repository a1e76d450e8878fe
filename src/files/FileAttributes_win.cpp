#include "FileAttributes.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

bool isHiddenOrSystemFile(const QFileInfo& file)
{
    const QString path = QDir::toNativeSeparators(file.absoluteFilePath());
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16()));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

bool heldOpenByAnotherProgram(const QString& path)
{
    // Asking for the right to delete, with every kind of sharing offered,
    // fails with a sharing violation exactly when another handle refuses it.
    const QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    const HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(native.utf16()), DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

#pragma once

// Plain Win32 and standard C++, so that it builds and is tested on its own.

#include <windows.h>

#include <string>
#include <vector>

namespace win32 {

// A registry value as text: REG_SZ up to its first NUL, REG_BINARY as the
// little-endian signed 16-bit number of its first two bytes in decimal. Any
// other type, and every failure, gives empty text.
std::wstring RegQueryStringValue(HKEY hKey, const std::wstring& strValueName);

// Opens strPath below hKey in the 32-bit view of the registry (the game's
// installer is a 32-bit program, so a 64-bit build must look where it wrote),
// reads strValue and closes the key again. Empty text on any failure.
std::wstring GetString(HKEY hKey, const std::wstring& strPath, const std::wstring& strValue);

// The names of the direct subkeys of strPath below hKey, in the same view;
// nothing on any failure.
std::vector<std::wstring> SubKeys(HKEY hKey, const std::wstring& strPath);

} // namespace win32

#pragma once

// Plain Win32 and standard C++, so that it builds and is tested on its own.

#include <windows.h>

#include <string>
#include <vector>

namespace win32 {

// A registry value as text: REG_SZ up to its first NUL, REG_BINARY as the
// little-endian signed 16-bit number of its first two bytes in decimal. Any
// other type, and every failure, gives empty text.
std::wstring RegQueryStringValue(HKEY key, const std::wstring& valueName);

// Opens keyPath below root in the 32-bit view of the registry (the game's
// installer is a 32-bit program, so a 64-bit build must look where it wrote),
// reads valueName and closes the key again. Empty text on any failure.
std::wstring GetString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName);

// The names of the direct subkeys of keyPath below root, in the same view;
// nothing on any failure.
std::vector<std::wstring> subKeys(HKEY root, const std::wstring& keyPath);

} // namespace win32

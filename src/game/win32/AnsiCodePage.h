#pragma once

// Plain Win32 and standard C++, so that it builds and is tested on its own.

#include <string>

namespace win32 {

// Encodes with the ANSI code page; false when a character has no byte of its
// own there (no best-fit substitutes, no default character).
bool EncodeAnsi(const std::wstring& text, std::string& out);

std::wstring DecodeAnsi(const std::string& bytes);

} // namespace win32

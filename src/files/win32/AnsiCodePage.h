#pragma once

// Plain Win32 and standard C++, so that it builds and is tested on its own.

#include <string>

namespace win32 {

// Encodes with the ANSI code page; false when a character has no byte of its
// own there (no best-fit substitutes, no default character).
bool encodeAnsi(const std::wstring& text, std::string& out);

std::wstring decodeAnsi(const std::string& bytes);

// The same with a code page named by its number. The ANSI code page can be
// UTF-8 (65001) on Windows 10 and later, where only a lone surrogate fails.
bool encodeCodePage(unsigned int codePage, const std::wstring& text, std::string& out);

std::wstring decodeCodePage(unsigned int codePage, const std::string& bytes);

} // namespace win32

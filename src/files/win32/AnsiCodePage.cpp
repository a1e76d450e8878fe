#include "AnsiCodePage.h"

#include <windows.h>

#include <utility>

namespace win32 {

bool encodeAnsi(const std::wstring& text, std::string& out)
{
    // The number, not CP_ACP: the UTF-8 code page needs other flags.
    return encodeCodePage(GetACP(), text, out);
}

std::wstring decodeAnsi(const std::string& bytes)
{
    return decodeCodePage(GetACP(), bytes);
}

bool encodeCodePage(unsigned int codePage, const std::wstring& text, std::string& out)
{
    out.clear();
    if (text.empty())
        return true;
    const int wideLength = static_cast<int>(text.size());
    // UTF-8 refuses both the no-best-fit flag and the default-character report
    // (every call would fail, and every save with it); it has bytes for every
    // character, and asking it to reject invalid ones catches lone surrogates.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const reportDefault = utf8 ? nullptr : &usedDefault;
    const int size = WideCharToMultiByte(codePage, flags, text.data(), wideLength, nullptr, 0, nullptr, reportDefault);
    if (size <= 0 || usedDefault)
        return false;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    const int written =
        WideCharToMultiByte(codePage, flags, text.data(), wideLength, bytes.data(), size, nullptr, reportDefault);
    if (written != size || usedDefault)
        return false;
    out = std::move(bytes);
    return true;
}

std::wstring decodeCodePage(unsigned int codePage, const std::string& bytes)
{
    if (bytes.empty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, out.data(), size);
    return out;
}

} // namespace win32

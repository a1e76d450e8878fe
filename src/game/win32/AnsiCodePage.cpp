#include "AnsiCodePage.h"

#include <windows.h>

namespace win32 {

bool EncodeAnsi(const std::wstring& text, std::string& out)
{
    out.clear();
    if (text.empty())
        return true;
    const int wideLength = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), wideLength, nullptr, 0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault)
        return false;
    out.resize(static_cast<std::size_t>(size));
    usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), wideLength, out.data(), size, nullptr, &usedDefault);
    return !usedDefault;
}

std::wstring DecodeAnsi(const std::string& bytes)
{
    if (bytes.empty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, out.data(), size);
    return out;
}

} // namespace win32

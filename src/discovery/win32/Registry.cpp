#include "Registry.h"

#include <cstdint>
#include <vector>

namespace win32 {

std::wstring RegQueryStringValue(HKEY key, const std::wstring& valueName)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return {};
    if (type != REG_SZ && type != REG_BINARY)
        return {};

    // The whole value, whatever its length: reading a long binary value into
    // two bytes would only fail.
    std::vector<BYTE> data(size + sizeof(wchar_t), 0);
    DWORD read = size;
    if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, data.data(), &read) != ERROR_SUCCESS)
        return {};

    if (type == REG_SZ) {
        const std::size_t chars = read / sizeof(wchar_t);
        std::wstring text(chars, L'\0');
        for (std::size_t i = 0; i < chars; ++i)
            text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
        const std::size_t nul = text.find(L'\0');
        if (nul != std::wstring::npos)
            text.resize(nul);
        return text;
    }
    if (type == REG_BINARY) {
        const unsigned low = read > 0 ? data[0] : 0;
        const unsigned high = read > 1 ? data[1] : 0;
        const auto number = static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
        return std::to_wstring(number);
    }
    return {};
}

std::wstring GetString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return {};
    std::wstring text = RegQueryStringValue(key, valueName);
    RegCloseKey(key);
    return text;
}

std::vector<std::wstring> subKeys(HKEY root, const std::wstring& keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) !=
        ERROR_SUCCESS)
        return {};
    std::vector<std::wstring> names;
    DWORD longest = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr) == ERROR_SUCCESS) {
        std::vector<wchar_t> name(longest + 1);
        for (DWORD index = 0;; ++index) {
            DWORD length = static_cast<DWORD>(name.size());
            const LONG result = RegEnumKeyExW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (result != ERROR_SUCCESS) // ERROR_NO_MORE_ITEMS at the end
                break;
            names.emplace_back(name.data(), length);
        }
    }
    RegCloseKey(key);
    return names;
}

} // namespace win32

// The program's Win32 units against a real registry and real code pages.
// Built with MinGW-w64 and run by scripts/windows-check.sh in a fresh Wine
// prefix: it writes the game installer's key as the installer would, so it
// refuses to run anywhere but under Wine. It leaves the prefix for the Linux
// reader's half of the check (wine_prefix_reader.cpp).

#include "Check.h"
#include "RegistryCases.h"

#include "win32/AnsiCodePage.h"
#include "win32/Registry.h"

#include <cstdio>
#include <string>

namespace {

using RegistryCases::Type;
using RegistryCases::View;

// The table of bytes the Linux reader compares with its own Windows-1252.
const wchar_t CodePageTable[] = L"C:\\acp-1252.txt";

std::wstring wide(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}

std::u16string utf16(const std::wstring& text)
{
    return std::u16string(text.begin(), text.end());
}

bool underWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

REGSAM viewFlag(View view)
{
    return view == View::Bit32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

std::string valueData(const RegistryCases::Write& write)
{
    if (write.type == Type::Binary || write.type == Type::Dword)
        return std::string(write.bytes);
    std::string data;
    for (char16_t c : write.text) {
        data += static_cast<char>(c & 0xff);
        data += static_cast<char>(c >> 8);
    }
    if (!write.unterminated)
        data.append(2, '\0');
    return data;
}

std::string what(std::string_view text, std::u16string_view name)
{
    return std::string(text) + " " + Check::printable(name);
}

void install(Check& check)
{
    for (std::u16string_view folder : RegistryCases::GameFolders) {
        const bool made = CreateDirectoryW(wide(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
        check.verify(made, what("create the folder", folder));
    }
    for (const RegistryCases::Write& write : RegistryCases::Writes) {
        HKEY key = nullptr;
        LONG result = RegCreateKeyExW(HKEY_LOCAL_MACHINE, wide(RegistryCases::GameKey).c_str(), 0, nullptr, 0,
                                      KEY_SET_VALUE | viewFlag(write.view), nullptr, &key, nullptr);
        check.verify(result == ERROR_SUCCESS, what("create the installer's key for", write.name));
        if (result != ERROR_SUCCESS)
            continue;
        const std::string data = valueData(write);
        result = RegSetValueExW(key, wide(write.name).c_str(), 0, static_cast<DWORD>(write.type),
                                reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
        check.verify(result == ERROR_SUCCESS, what("write the value", write.name));
        RegCloseKey(key);
    }
}

// The text of a value read straight from one view, past GetString.
std::u16string readView(const wchar_t* path, REGSAM view, const wchar_t* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return u"(no key)";
    const std::u16string text = utf16(win32::RegQueryStringValue(key, name));
    RegCloseKey(key);
    return text;
}

void checkRegistry(Check& check)
{
    for (const RegistryCases::Read& read : RegistryCases::Reads) {
        const std::wstring text = win32::GetString(HKEY_LOCAL_MACHINE, wide(read.key), wide(read.name));
        check.equal(utf16(text), read.expected, std::string("GetString, ") + std::string(read.what));
    }

    // The two views really are apart, and the installer's writes landed where
    // a 64-bit program finds them only through KEY_WOW64_32KEY.
    const std::wstring gameKey = wide(RegistryCases::GameKey);
    check.equal(readView(gameKey.c_str(), KEY_WOW64_64KEY, L"Folder"), u"C:\\Wrong view", "the 64-bit view");
    check.equal(
        readView(L"Software\\Wow6432Node\\Unreal Technology\\Installed Apps\\Deus Ex", KEY_WOW64_64KEY, L"Folder"),
        RegistryCases::GameFolder, "the 32-bit view is Software\\Wow6432Node");

    check.equal(utf16(win32::RegQueryStringValue(nullptr, L"Folder")), u"", "RegQueryStringValue without a key");

    // GOG's games are found through the subkeys of its key.
    const auto subkeys = win32::subKeys(HKEY_LOCAL_MACHINE, L"SOFTWARE\\unreal technology\\Installed Apps");
    check.verify(subkeys.size() == 1 && subkeys[0] == L"Deus Ex", "subKeys of the installer's parent key");
    check.verify(win32::subKeys(HKEY_LOCAL_MACHINE, gameKey + L"\\Nothing").empty(), "subKeys of a missing key");
}

void encodes(Check& check, unsigned int codePage, const std::wstring& text, std::string_view bytes)
{
    std::string out;
    const std::string name = "code page " + std::to_string(codePage) + " " + Check::printable(utf16(text));
    check.verify(win32::encodeCodePage(codePage, text, out), name + " encodes");
    check.equalBytes(out, bytes, name + " gives its bytes");
    check.equal(utf16(win32::decodeCodePage(codePage, std::string(bytes))), utf16(text), name + " decodes back");
}

void refuses(Check& check, unsigned int codePage, const std::wstring& text)
{
    std::string out;
    check.verify(!win32::encodeCodePage(codePage, text, out),
                 "code page " + std::to_string(codePage) + " refuses " + Check::printable(utf16(text)));
}

void checkCodePages(Check& check)
{
    // The script starts Wine in the C locale, which Wine takes for US English.
    check.verify(GetACP() == 1252, "the ANSI code page is 1252, got " + std::to_string(GetACP()));

    std::string out;
    check.verify(win32::encodeAnsi(L"D\u00e9j\u00e0 vu \u2013 \u20ac \u0153", out), "encodeAnsi encodes");
    check.equalBytes(out, "D\xe9j\xe0 vu \x96 \x80 \x9c", "encodeAnsi gives the code page's bytes");
    check.equal(utf16(win32::decodeAnsi(out)), u"D\u00e9j\u00e0 vu \u2013 \u20ac \u0153", "decodeAnsi decodes back");
    check.verify(win32::encodeAnsi(L"", out) && out.empty(), "encodeAnsi of empty text");
    check.verify(win32::decodeAnsi("").empty(), "decodeAnsi of no bytes");
    check.verify(!win32::encodeAnsi(L"C:\\\u0416", out), "encodeAnsi refuses a Cyrillic letter");

    // Every byte, the five that Windows-1252 leaves undefined included, reads
    // as one character and writes back as itself, so an opened file saves
    // unchanged. The table goes to the Linux side.
    FILE* table = _wfopen(CodePageTable, L"wb");
    check.verify(table != nullptr, "create the code page table");
    int roundTrips = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::wstring text = win32::decodeAnsi(byte);
        std::string back;
        if (text.size() == 1 && win32::encodeAnsi(text, back) && back == byte)
            ++roundTrips;
        else
            std::printf("byte %02x reads as %s\n", b, Check::printable(utf16(text)).c_str());
        if (table != nullptr)
            std::fprintf(table, "%02x %04x\n", b, text.size() == 1 ? static_cast<unsigned>(text[0]) : 0xffffu);
    }
    if (table != nullptr)
        std::fclose(table);
    check.verify(roundTrips == 256, "every byte reads and writes back, " + std::to_string(roundTrips) + " did");

    encodes(check, 1252, std::wstring(L"a\0b", 3), std::string_view("a\0b", 3));
    // No best-fit stand-ins: A for A-macron, 8 for infinity, ? for the rest.
    for (const wchar_t* text : {L"\u0416", L"\u4e2d", L"\u0100", L"\u221e", L"\ufffd", L"\U0001f600", L"\xd800"})
        refuses(check, 1252, text);

    encodes(check, 1251, L"\u0416\u0451\u043b\u0442\u044b\u0439", "\xc6\xb8\xeb\xf2\xfb\xe9");
    refuses(check, 1251, L"\u00e9");

    // UTF-8 as the ANSI code page (a Windows 10 option): every character has
    // bytes, only a lone surrogate has none.
    encodes(check, CP_UTF8, L"\u0416\u00e9\u20ac\U0001f600", "\xd0\x96\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
    refuses(check, CP_UTF8, L"a\xd800");
}

} // namespace

int main()
{
    if (!underWine()) {
        std::printf("This check writes the game installer's registry key: run it only in a throwaway Wine prefix, "
                    "through scripts/windows-check.sh.\n");
        return 77;
    }
    Check check;
    install(check);
    checkRegistry(check);
    checkCodePages(check);
    return check.finish("win32");
}

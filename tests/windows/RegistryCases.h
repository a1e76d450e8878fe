#pragma once

// What the Windows check writes into a fresh Wine prefix as the game's 32-bit
// installer would, and what the program's look-up must read back: first the
// Win32 one under Wine, then the Linux reader from the files Wine left. One
// table for both sides, so that they can never expect different things.
// Plain standard C++: no windows.h, no Qt.

#include <array>
#include <string_view>

namespace RegistryCases {

using namespace std::string_view_literals;

// Value types by their registry numbers (REG_SZ and so on).
enum class Type : unsigned long
{
    Sz = 1,
    ExpandSz = 2,
    Binary = 3,
    Dword = 4,
    MultiSz = 7
};

// Which view of HKEY_LOCAL_MACHINE\Software a value goes to: the 32-bit one
// is where a 32-bit installer's writes land on a 64-bit system.
enum class View
{
    Bit32,
    Bit64
};

inline constexpr std::u16string_view GameKey = u"Software\\Unreal Technology\\Installed Apps\\Deus Ex";

// The game directory the installer records, and the folders it creates there.
inline constexpr std::u16string_view GameFolder = u"C:\\DeusEx";
inline constexpr std::array<std::u16string_view, 2> GameFolders{GameFolder, u"C:\\DeusEx\\System"};

// Texts that test how Wine spells characters in its file: beyond Latin-1 (an
// escape followed by hex digits among them), and ones it escapes otherwise.
inline constexpr std::u16string_view AccentedFolder =
    u"C:\\Spiele\\D\u00e9j\u00e0 vu\\Caf\u00e9 Ab\\\u0416\u0451\u043b\u0442\u044b\u0439 \u20ac\\\u00e9a9\\\u4e2d\u6587";
inline constexpr std::u16string_view OddFolder = u"C:\\Odd \"quoted\" [name]=x; ;;\\tab\there\\new\nline";
inline constexpr std::u16string_view LongFolder =
    u"C:\\A folder name long enough to pass the 260 characters of a classic path buffer\\"
    u"and a second one that is every bit as long as the first one was, if not longer\\"
    u"and a third one, so that the whole path is well beyond what a fixed buffer holds\\DeusEx";

struct Write
{
    std::u16string_view name;
    Type type = Type::Sz;
    std::u16string_view text = {}; // the text types: written with a final NUL unless unterminated
    std::string_view bytes = {};   // the other types
    bool unterminated = false;
    View view = View::Bit32;
};

// All below GameKey.
inline constexpr std::array Writes{
    Write{.name = u"Folder", .text = GameFolder},
    Write{.name = u"Folder", .text = u"C:\\Wrong view", .view = View::Bit64},
    Write{.name = u"WithNul", .text = u"C:\\Games\0Old copy"sv},
    Write{.name = u"Unterminated", .text = u"C:\\DeusEx", .unterminated = true},
    Write{.name = u"Empty", .text = u""},
    Write{.name = u"", .text = u"C:\\Default value"},
    Write{.name = u"Accented", .text = AccentedFolder},
    Write{.name = u"Escapes", .text = OddFolder},
    Write{.name = u"Long", .text = LongFolder},
    Write{.name = u"Expanded", .type = Type::ExpandSz, .text = u"%SystemDrive%\\DeusEx"},
    Write{.name = u"Several", .type = Type::MultiSz, .text = u"C:\\DeusEx\0C:\\Other\0"sv},
    Write{.name = u"Number", .type = Type::Dword, .bytes = "\x2a\0\0\0"sv},
    Write{.name = u"NoBytes", .type = Type::Binary, .bytes = ""sv},
    Write{.name = u"OneByte", .type = Type::Binary, .bytes = "\x07"sv},
    Write{.name = u"TwoBytes", .type = Type::Binary, .bytes = "\x02\x01"sv},
    Write{.name = u"MinusOne", .type = Type::Binary, .bytes = "\xff\xff"sv},
    Write{.name = u"ThreeBytes", .type = Type::Binary, .bytes = "\x02\x01\x7f"sv},
    Write{.name = u"LongBinary",
          .type = Type::Binary,
          .bytes = "\x34\x12 Only the first two bytes count, but Wine spreads a long value over several lines."sv},
};

struct Read
{
    std::string_view what;
    std::u16string_view key;
    std::u16string_view name;
    std::u16string_view expected;
};

inline constexpr std::array Reads{
    Read{"REG_SZ", GameKey, u"Folder", GameFolder},
    Read{"key and value names in another letter case", u"SOFTWARE\\unreal technology\\Installed Apps\\DEUS EX",
         u"FOLDER", GameFolder},
    Read{"REG_SZ with an embedded NUL", GameKey, u"WithNul", u"C:\\Games"},
    Read{"REG_SZ without its final NUL", GameKey, u"Unterminated", u"C:\\DeusEx"},
    Read{"empty REG_SZ", GameKey, u"Empty", u""},
    Read{"the key's default value", GameKey, u"", u"C:\\Default value"},
    Read{"REG_SZ beyond Latin-1", GameKey, u"Accented", AccentedFolder},
    Read{"REG_SZ with quotes, brackets, tab and line feed", GameKey, u"Escapes", OddFolder},
    Read{"REG_SZ longer than 260 characters", GameKey, u"Long", LongFolder},
    Read{"REG_EXPAND_SZ", GameKey, u"Expanded", u""},
    Read{"REG_MULTI_SZ", GameKey, u"Several", u""},
    Read{"REG_DWORD", GameKey, u"Number", u""},
    Read{"REG_BINARY of no bytes", GameKey, u"NoBytes", u"0"},
    Read{"REG_BINARY of one byte", GameKey, u"OneByte", u"7"},
    Read{"REG_BINARY of two bytes", GameKey, u"TwoBytes", u"258"},
    Read{"REG_BINARY FF FF", GameKey, u"MinusOne", u"-1"},
    Read{"REG_BINARY of three bytes", GameKey, u"ThreeBytes", u"258"},
    Read{"REG_BINARY over several lines", GameKey, u"LongBinary", u"4660"},
    Read{"missing value", GameKey, u"Nothing", u""},
    Read{"missing key", u"Software\\Unreal Technology\\Installed Apps\\Deus Ex Invisible War", u"Folder", u""},
    Read{"the parent key", u"Software\\Unreal Technology\\Installed Apps", u"Folder", u""},
};

} // namespace RegistryCases

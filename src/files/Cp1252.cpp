#include "AnsiText.h"

#include <array>

namespace {

// Bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

namespace Cp1252 {

std::optional<char> encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < High.size(); ++i) {
        if (High[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

char16_t DecodeByte(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F)
        return High[b - 0x80];
    return b;
}

} // namespace Cp1252

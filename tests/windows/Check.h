#pragma once

// A test harness of nothing but the standard library, so that the same checks
// build with MinGW for Windows and natively beside Qt. It prints each failure
// and a closing "N passed, N failed" line.

#include <cstdio>
#include <string>
#include <string_view>

class Check
{
public:
    // Readable on any console: ASCII as it is, everything else as \uXXXX.
    static std::string printable(std::u16string_view text)
    {
        std::string out = "\"";
        for (char16_t c : text) {
            if (c == u'\\' || c == u'"') {
                out += '\\';
                out += static_cast<char>(c);
            } else if (c >= 0x20 && c < 0x7f) {
                out += static_cast<char>(c);
            } else {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                out += escape;
            }
        }
        return out + "\"";
    }

    static std::string printableBytes(std::string_view bytes)
    {
        std::string out;
        for (unsigned char b : bytes) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02x ", b);
            out += hex;
        }
        return out.empty() ? "(none)" : out;
    }

    void verify(bool ok, std::string_view what)
    {
        if (ok) {
            ++m_passed;
            return;
        }
        ++m_failed;
        std::printf("FAIL %.*s\n", static_cast<int>(what.size()), what.data());
    }

    void equal(std::u16string_view actual, std::u16string_view expected, std::string_view what)
    {
        verify(actual == expected,
               std::string(what) + ": got " + printable(actual) + ", expected " + printable(expected));
    }

    void equalBytes(std::string_view actual, std::string_view expected, std::string_view what)
    {
        verify(actual == expected,
               std::string(what) + ": got " + printableBytes(actual) + ", expected " + printableBytes(expected));
    }

    int finish(std::string_view name) const
    {
        std::printf("%.*s: %d passed, %d failed\n", static_cast<int>(name.size()), name.data(), m_passed, m_failed);
        std::fflush(stdout);
        return m_failed == 0 ? 0 : 1;
    }

private:
    int m_passed = 0;
    int m_failed = 0;
};

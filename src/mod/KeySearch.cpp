#include "KeySearch.h"

#include <QChar>

#include <algorithm>
#include <cstring>

namespace {

bool isAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

char16_t foldedLetter(char16_t c)
{
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
    // Outside ASCII, the Kelvin sign folds to "k" and the long s to "s".
    return static_cast<char16_t>(QChar::toCaseFolded(c));
}

// The first character of an ASCII key that is not a letter, or -1 when the
// key is not ASCII or holds letters only.
qsizetype anchorOf(QStringView key)
{
    qsizetype anchor = -1;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t c = key[i].unicode();
        if (c >= 0x80)
            return -1;
        if (anchor < 0 && !isAsciiLetter(c))
            anchor = i;
    }
    return anchor;
}

bool matchesAt(QStringView text, qsizetype at, QStringView key)
{
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t k = key[i].unicode();
        const char16_t c = text[at + i].unicode();
        if (c != k && !(isAsciiLetter(k) && foldedLetter(c) == foldedLetter(k)))
            return false;
    }
    return true;
}

// The next occurrence of the ASCII character c at or after from, or -1,
// through memchr, which is vectorised everywhere: it looks for the byte of c
// and the match is checked to be a whole character.
qsizetype scanForChar(QStringView text, char16_t c, qsizetype from)
{
    const char16_t* chars = reinterpret_cast<const char16_t*>(text.data());
    const char* bytes = reinterpret_cast<const char*>(chars);
    const char* const end = bytes + 2 * text.size();
    constexpr qsizetype lowByte = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 0 : 1;
    for (const char* p = bytes + 2 * from; p < end; ++p) {
        p = static_cast<const char*>(std::memchr(p, static_cast<char>(c), end - p));
        if (!p)
            return -1;
        const qsizetype offset = p - bytes;
        if (offset % 2 == lowByte && chars[offset / 2] == c)
            return offset / 2;
    }
    return -1;
}

// The same, for a search that mostly ends within a few characters (the
// ";" that a list entry starts from): those are looked at here first.
qsizetype indexOfChar(QStringView text, char16_t c, qsizetype from)
{
    const qsizetype nearEnd = std::min(text.size(), from + 8);
    for (qsizetype i = from; i < nearEnd; ++i) {
        if (text[i].unicode() == c)
            return i;
    }
    return scanForChar(text, c, nearEnd);
}

} // namespace

qsizetype IndexOfMark(QStringView text, char16_t mark, qsizetype from)
{
    return from >= 0 && from < text.size() ? scanForChar(text, mark, from) : -1;
}

qsizetype IndexOfKey(QStringView text, QStringView key, qsizetype from)
{
    // A list entry ends at the next ";": the most frequent search of all.
    if (key.size() == 1 && from >= 0 && key[0].unicode() < 0x80 && !isAsciiLetter(key[0].unicode()))
        return from < text.size() ? indexOfChar(text, key[0].unicode(), from) : -1;
    const qsizetype anchor = anchorOf(key);
    if (anchor < 0 || from < 0)
        return text.indexOf(key, from, Qt::CaseInsensitive);
    const char16_t anchorChar = key[anchor].unicode();
    const qsizetype lastStart = text.size() - key.size();
    for (qsizetype at = indexOfChar(text, anchorChar, from + anchor); at >= 0;
         at = indexOfChar(text, anchorChar, at + 1)) {
        const qsizetype start = at - anchor;
        if (start > lastStart)
            return -1;
        if (matchesAt(text, start, key))
            return start;
    }
    return -1;
}

#pragma once

#include <QStringView>

// Finds key in text at or after from, letters in any case, with the same
// result as QString::indexOf(key, from, Qt::CaseInsensitive), or -1.
//
// The format's keys and end marks are ASCII and hold punctuation ("=", ";",
// "\"", "."), which no other character matches in any case. The search jumps
// from one such character to the next, so reading a long inventory costs a
// scan for "=" instead of a case-folded comparison at every character. Other
// keys are searched as QString does.
qsizetype IndexOfKey(QStringView text, QStringView key, qsizetype from = 0);

// The next occurrence of an ASCII character that no other character matches
// in any case (";", "\"", "="), at or after from, or -1.
qsizetype IndexOfMark(QStringView text, char16_t mark, qsizetype from);

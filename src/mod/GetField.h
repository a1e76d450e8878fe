#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The small tokenizer that reads a mod definition back. Positions are
// 1-based; position 0 stands for "not found" and yields nothing.

// Stands for "no end mark": it never occurs in a mod file, so a value read up
// to it runs to the end of the text.
inline constexpr QStringView NoEndMark = u"_,.;'``';.,_";

// Finds key in text at or after position (ignoring letter case) and returns
// what follows it up to endMark, moving position onto the end mark so that
// the next call with the key ";" reads the next list entry. Returns nothing
// and leaves position alone when position is 0, the key is missing, or the
// end mark lies beyond the first limit found at or after position. A value
// that runs to the end of the text (its end mark missing) leaves out the line
// breaks at its very end.
QString GetField(qsizetype& position, QStringView text, QStringView key, QStringView endMark = NoEndMark,
                 QStringView limit = {});

// Appends the entries of a list the way a run of
// GetField(position, text, ";", ";") calls reads them, up to the first empty
// entry, and leaves position where the last of those calls did.
void appendListEntries(qsizetype& position, QStringView text, QStringList& entries);

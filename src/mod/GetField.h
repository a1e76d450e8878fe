#pragma once

#include <QString>
#include <QStringList>

// The small tokenizer that reads a mod definition back. Positions are
// 1-based; position 0 stands for "not found" and yields nothing.

// Stands for "no end mark": it never occurs in a mod file, so a value read up
// to it runs to the end of the text.
inline constexpr char NoEndMark[] = "_,.;'``';.,_";

// Finds Key in Text at or after Position (ignoring letter case) and returns
// what follows it up to EndMark, moving Position onto the end mark so that
// the next call with the key ";" reads the next list entry. Returns nothing
// and leaves Position alone when Position is 0, the key is missing, or the
// end mark lies beyond the first Limit found at or after Position. A value
// that runs to the end of the text (its end mark missing) leaves out the line
// breaks at its very end.
QString GetField(qsizetype& Position, const QString& Text, const QString& Key,
                 const QString& EndMark = QString::fromLatin1(NoEndMark), const QString& Limit = QString());

// Appends the entries of a list the way a run of
// GetField(Position, Text, ";", ";") calls reads them, up to the first empty
// entry, and leaves Position where the last of those calls did. One pass
// over the list instead of two searches per entry.
void AppendListEntries(qsizetype& Position, const QString& Text, QStringList& Entries);

#include "GetField.h"

#include "KeySearch.h"

namespace {

// Where a value that runs to the end of the text ends: a file cut short after
// a line break must not carry that break into its field.
qsizetype endOfLastValue(const QString& text, qsizetype valueAt)
{
    qsizetype end = text.size();
    while (end > valueAt && (text.at(end - 1) == u'\r' || text.at(end - 1) == u'\n'))
        --end;
    return end;
}

} // namespace

QString GetField(qsizetype& Position, const QString& Text, const QString& Key, const QString& EndMark,
                 const QString& Limit)
{
    if (Position <= 0)
        return {};
    // Searches straight on the text: no lowered copy per call, so reading a
    // long list stays linear in the file's length.
    const qsizetype keyAt = IndexOfKey(Text, Key, Position - 1);
    if (keyAt < 0)
        return {};
    const qsizetype valueAt = keyAt + Key.size();
    qsizetype endAt = IndexOfKey(Text, EndMark, valueAt);
    qsizetype valueEnd = endAt;
    if (endAt < 0)
        endAt = valueEnd = endOfLastValue(Text, valueAt);
    qsizetype limitAt = Text.size();
    if (!Limit.isEmpty()) {
        const qsizetype found = IndexOfKey(Text, Limit, Position - 1);
        if (found >= 0)
            limitAt = found;
    }
    if (endAt > limitAt)
        return {};
    Position = endAt + 1;
    return Text.mid(valueAt, valueEnd - valueAt);
}

void AppendListEntries(qsizetype& Position, const QString& Text, QStringList& Entries)
{
    if (Position <= 0)
        return;
    // Each call of GetField finds the ";" that ended the entry before (the
    // search starts on it) and reads up to the next one.
    qsizetype keyAt = IndexOfMark(Text, u';', Position - 1);
    while (keyAt >= 0) {
        const qsizetype valueAt = keyAt + 1;
        qsizetype endAt = IndexOfMark(Text, u';', valueAt);
        qsizetype valueEnd = endAt;
        keyAt = endAt;
        if (endAt < 0) {
            endAt = Text.size();
            valueEnd = endOfLastValue(Text, valueAt);
        }
        Position = endAt + 1;
        if (valueEnd == valueAt)
            return;
        Entries.append(QString(Text.constData() + valueAt, valueEnd - valueAt));
    }
}

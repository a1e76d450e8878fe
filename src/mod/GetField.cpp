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

QString GetField(qsizetype& position, const QString& text, const QString& key, const QString& endMark,
                 const QString& limit)
{
    if (position <= 0)
        return {};
    // Searches straight on the text: no lowered copy per call, so reading a
    // long list stays linear in the file's length.
    const qsizetype keyAt = IndexOfKey(text, key, position - 1);
    if (keyAt < 0)
        return {};
    const qsizetype valueAt = keyAt + key.size();
    qsizetype endAt = IndexOfKey(text, endMark, valueAt);
    qsizetype valueEnd = endAt;
    if (endAt < 0)
        endAt = valueEnd = endOfLastValue(text, valueAt);
    qsizetype limitAt = text.size();
    if (!limit.isEmpty()) {
        const qsizetype found = IndexOfKey(text, limit, position - 1);
        if (found >= 0)
            limitAt = found;
    }
    if (endAt > limitAt)
        return {};
    position = endAt + 1;
    return text.mid(valueAt, valueEnd - valueAt);
}

void AppendListEntries(qsizetype& position, const QString& text, QStringList& entries)
{
    if (position <= 0)
        return;
    // Each call of GetField finds the ";" that ended the entry before (the
    // search starts on it) and reads up to the next one.
    qsizetype keyAt = IndexOfMark(text, u';', position - 1);
    while (keyAt >= 0) {
        const qsizetype valueAt = keyAt + 1;
        qsizetype endAt = IndexOfMark(text, u';', valueAt);
        qsizetype valueEnd = endAt;
        keyAt = endAt;
        if (endAt < 0) {
            endAt = text.size();
            valueEnd = endOfLastValue(text, valueAt);
        }
        position = endAt + 1;
        if (valueEnd == valueAt)
            return;
        entries.append(QString(text.constData() + valueAt, valueEnd - valueAt));
    }
}

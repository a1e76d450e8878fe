#include "GetField.h"

#include "ModKeys.h"

namespace {

// Where a value that runs to the end of the text ends: a file cut short after
// a line break must not carry that break into its field.
qsizetype endOfLastValue(QStringView text, qsizetype valueAt)
{
    qsizetype end = text.size();
    while (end > valueAt && (text.at(end - 1) == u'\r' || text.at(end - 1) == u'\n'))
        --end;
    return end;
}

} // namespace

QString GetField(qsizetype& position, QStringView text, QStringView key, QStringView endMark, QStringView limit)
{
    if (position <= 0)
        return {};
    const qsizetype keyAt = text.indexOf(key, position - 1, Qt::CaseInsensitive);
    if (keyAt < 0)
        return {};
    const qsizetype valueAt = keyAt + key.size();
    qsizetype endAt = text.indexOf(endMark, valueAt, Qt::CaseInsensitive);
    qsizetype valueEnd = endAt;
    if (endAt < 0)
        endAt = valueEnd = endOfLastValue(text, valueAt);
    qsizetype limitAt = text.size();
    if (!limit.isEmpty()) {
        const qsizetype found = text.indexOf(limit, position - 1, Qt::CaseInsensitive);
        if (found >= 0)
            limitAt = found;
    }
    if (endAt > limitAt)
        return {};
    position = endAt + 1;
    return text.sliced(valueAt, valueEnd - valueAt).toString();
}

void appendListEntries(qsizetype& position, QStringView text, QStringList& entries)
{
    if (position <= 0)
        return;
    // Each call of GetField finds the ";" that ended the entry before (the
    // search starts on it) and reads up to the next one.
    qsizetype keyAt = text.indexOf(ModKeys::EntryEnd, position - 1);
    while (keyAt >= 0) {
        const qsizetype valueAt = keyAt + 1;
        qsizetype endAt = text.indexOf(ModKeys::EntryEnd, valueAt);
        qsizetype valueEnd = endAt;
        keyAt = endAt;
        if (endAt < 0) {
            endAt = text.size();
            valueEnd = endOfLastValue(text, valueAt);
        }
        position = endAt + 1;
        if (valueEnd == valueAt)
            return;
        entries.append(text.sliced(valueAt, valueEnd - valueAt).toString());
    }
}

#include "GetField.h"

QString GetField(qsizetype& Position, const QString& Text, const QString& Key, const QString& EndMark,
                 const QString& Limit)
{
    if (Position <= 0)
        return {};
    // Case-insensitive searches straight on the text: no lowered copy per
    // call, so reading a long list stays linear in the file's length.
    const qsizetype keyAt = Text.indexOf(Key, Position - 1, Qt::CaseInsensitive);
    if (keyAt < 0)
        return {};
    const qsizetype valueAt = keyAt + Key.size();
    qsizetype endAt = Text.indexOf(EndMark, valueAt, Qt::CaseInsensitive);
    if (endAt < 0)
        endAt = Text.size();
    qsizetype limitAt = Text.size();
    if (!Limit.isEmpty()) {
        const qsizetype found = Text.indexOf(Limit, Position - 1, Qt::CaseInsensitive);
        if (found >= 0)
            limitAt = found;
    }
    if (endAt > limitAt)
        return {};
    Position = endAt + 1;
    return Text.mid(valueAt, endAt - valueAt);
}

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
    qsizetype valueEnd = endAt;
    if (endAt < 0) {
        endAt = valueEnd = Text.size();
        // A value that runs to the end of a file cut short after a line
        // break must not carry that break into its field.
        while (valueEnd > valueAt && (Text.at(valueEnd - 1) == u'\r' || Text.at(valueEnd - 1) == u'\n'))
            --valueEnd;
    }
    qsizetype limitAt = Text.size();
    if (!Limit.isEmpty()) {
        const qsizetype found = Text.indexOf(Limit, Position - 1, Qt::CaseInsensitive);
        if (found >= 0)
            limitAt = found;
    }
    if (endAt > limitAt)
        return {};
    Position = endAt + 1;
    return Text.mid(valueAt, valueEnd - valueAt);
}

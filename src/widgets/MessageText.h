#pragma once

#include "core/PathMarks.h"

#include <QList>
#include <QString>

class QFontMetrics;

// Messages name paths between the marks of core/PathMarks.h
// (pathInMessage); a box keeps such a path whole on a line where it fits.

// The message as a person reads it: without the marks.
QString withoutPathMarks(const QString& text);

// A message as a box lays it out: its text as written, without the marks,
// and the lines it is shown in, as spans of that text. A line ends before the
// blanks where it breaks, which stay in the text; a line feed of the text
// ends its line too. The text itself is never changed, so that what a screen
// reader reads and what a copy takes is the message as written.
struct MessageLines
{
    struct Span
    {
        qsizetype start;
        qsizetype length;
    };
    QString text;
    QList<Span> lines;

    QString line(qsizetype index) const { return text.mid(lines[index].start, lines[index].length); }
};

// Breaks the lines to fit width pixels of text in metrics: between words as
// anywhere, but inside a path only after a separator, so that a path that
// fits on a line is never split, and one that does not is split where it
// reads as a path still. A word or part of a path wider than width stands on
// a line of its own.
MessageLines layOutMessage(const QString& text, const QFontMetrics& metrics, int width);

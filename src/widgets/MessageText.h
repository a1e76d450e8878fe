#pragma once

#include <QString>

class QFontMetrics;

// A message names a path by setting it between Unicode's first strong isolate
// (U+2068) and pop directional isolate (U+2069): the marks tell whatever
// shows the message where the path starts and ends. Neither is shown.

// The message as a person reads it: without the marks.
QString WithoutPathMarks(const QString& text);

// The message as a box shows it, with its lines broken to fit width pixels of
// text in metrics: between words as anywhere, but inside a path only after a
// separator, so that a path that fits on a line is never split, and one that
// does not is split where it reads as a path still. A word or part of a path
// wider than width stands on a line of its own. The marks are left out.
QString LaidOutMessage(const QString& text, const QFontMetrics& metrics, int width);

#pragma once

#include <QString>

// A message names a path by setting it between Unicode's first strong isolate
// (U+2068) and pop directional isolate (U+2069): the marks tell whatever
// shows the message where the path starts and ends, so that it can keep the
// path whole on a line. Neither is shown. The rules set them and the widget
// kit reads them, so both take them from here.
inline constexpr char16_t PathStartMark = u'\u2068';
inline constexpr char16_t PathEndMark = u'\u2069';

// A path as a message names it: set between the marks.
inline QString pathInMessage(const QString& path)
{
    return QChar(PathStartMark) + path + QChar(PathEndMark);
}

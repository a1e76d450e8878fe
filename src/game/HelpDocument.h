#pragma once

#include <QString>

// The help document ships beside the program's executable.
inline constexpr char HelpDocumentName[] = "readme.htm";

// The help document's full name in the program's directory.
QString helpDocumentPath(const QString& programDirectory);

#pragma once

#include "core/Result.h"

#include <QString>

class QWidget;

// The folder dialog: titled with its prompt, opening at the user's home
// folder. Returns the chosen folder in native separators, or the empty text
// when the user cancels; a dialog the system could not show fails with the
// message for the user. Wine's own folder dialog, shown through Qt, puts
// "Select Folder" over the title Qt gives it, so on Windows the program
// shows that dialog itself, title last; elsewhere it is Qt's.
Result<QString> askFolder(QWidget* parent, const QString& prompt);

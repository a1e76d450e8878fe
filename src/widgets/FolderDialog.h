#pragma once

#include <QString>

class ModalInteraction;
class QWidget;

// The folder dialog: titled with its prompt, opening at the user's home
// folder. Returns the chosen folder in native separators, or the empty text
// when the user cancels; a dialog that fails is an error told through ui,
// and gives the empty text. Wine's own folder dialog, shown through Qt, puts
// "Select Folder" over the title Qt gives it, so on Windows the program
// shows that dialog itself, title last; elsewhere it is Qt's.
QString AskFolder(QWidget* parent, const QString& prompt, ModalInteraction& ui);

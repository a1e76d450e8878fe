#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QFileDialog;
class QWidget;

// The save dialog: it starts in initialDir with the name filters given ("Orvane
// Mod files (*.int)") and adds no extension of its own, so a name typed
// without one is used as typed; it asks before replacing a file. Returns the
// chosen path in native separators, or the empty text when the user cancels.
// Windows' own dialog adds the filter's extension whenever Qt shows it, so
// there the program shows that dialog itself; elsewhere it is Qt's.
QString AskSaveFileName(QWidget* parent, const QString& initialDir, const QStringList& filters);

// Sets up Qt's save dialog as AskSaveFileName shows it.
void SetUpSaveDialog(QFileDialog& dialog, const QString& initialDir, const QStringList& filters);

// The patterns a name filter ends with, "(*.int *.txt)", split at blanks;
// nothing when the filter has none in brackets. Both file dialogs read them.
std::optional<QStringList> FilterPatterns(const QString& filter);

// Runs a set-up file dialog; the chosen file in native separators, or the
// empty text when the user cancels.
QString ChosenFile(QFileDialog& dialog);

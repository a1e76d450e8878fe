#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

#include <optional>

class QFileDialog;
class QWidget;

// The save dialog: it starts in initialDir with the name filters given ("Orvane
// Mod files (*.int)") and adds no extension of its own, so the name typed is
// the name written; it asks before replacing a file, naming that file.
// Returns the chosen path in native separators, or the empty text when the
// user cancels; a dialog the system could not show fails with the message
// for the user. (Where it cannot open in initialDir, the caller has told the
// user before.)
// Windows' own dialog adds the filter's extension whenever Qt shows it, so
// there the program shows that dialog itself; elsewhere it is Qt's.
Result<QString> askSaveFileName(QWidget* parent, const QString& initialDir, const QStringList& filters);

// The file a name typed into the save dialog names: the name itself when it
// is a whole path, else the name in the folder the dialog shows; native
// separators. Nothing is added to the name.
QString typedSaveTarget(const QString& folder, const QString& typed);

// Why the save dialog cannot open in folder, or nothing when it can.
std::optional<QString> saveFolderProblem(const QString& folder);

// What the user is told before the save dialog opens elsewhere than in folder.
QString saveFolderNotShownMessage(const QString& folder, const QString& reason);

// Sets up Qt's save dialog as AskSaveFileName shows it.
void setUpSaveDialog(QFileDialog& dialog, const QString& initialDir, const QStringList& filters);

// The patterns a name filter ends with, "(*.int *.txt)", split at blanks;
// nothing when the filter has none in brackets. Both file dialogs read them.
std::optional<QStringList> filterPatterns(const QString& filter);

// Runs a set-up file dialog; the chosen file in native separators, or the
// empty text when the user cancels.
QString chosenFile(QFileDialog& dialog);

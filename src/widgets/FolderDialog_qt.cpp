#include "FolderDialog.h"

#include <QDir>
#include <QFileDialog>

Result<QString> askFolder(QWidget* parent, const QString& prompt)
{
    // Like a folder dialog given no starting place on Windows, it opens where
    // the user's own files are rather than wherever the program was started.
    const QString chosen = QFileDialog::getExistingDirectory(parent, prompt, QDir::homePath());
    return QDir::toNativeSeparators(chosen);
}

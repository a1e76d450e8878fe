#include "SaveDialog.h"

#include <QFileDialog>

void SetUpSaveDialog(QFileDialog& dialog, const QString& initialDir, const QStringList& filters)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(initialDir);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString());
}

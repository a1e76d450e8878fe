#include "SaveDialog.h"

#include <QDir>
#include <QFileDialog>

QString AskSaveFileName(QWidget* parent, const QString& initialDir, const QStringList& filters)
{
    QFileDialog dialog(parent);
    SetUpSaveDialog(dialog, initialDir, filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

#include "SaveDialog.h"

#include <QFileDialog>

QString AskSaveFileName(QWidget* parent, const QString& initialDir, const QStringList& filters)
{
    QFileDialog dialog(parent);
    SetUpSaveDialog(dialog, initialDir, filters);
    return ChosenFile(dialog);
}

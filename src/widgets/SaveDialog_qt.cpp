#include "SaveDialog.h"

#include <QFileDialog>
#include <QFileInfo>

std::optional<QString> saveFolderProblem(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("The folder does not exist.");
    return std::nullopt;
}

Result<QString> askSaveFileName(QWidget* parent, const QString& initialDir, const QStringList& filters)
{
    QFileDialog dialog(parent);
    setUpSaveDialog(dialog, initialDir, filters);
    return chosenFile(dialog);
}

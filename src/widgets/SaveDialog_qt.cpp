#include "SaveDialog.h"

#include <QFileDialog>
#include <QFileInfo>

std::optional<QString> SaveFolderProblem(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("The folder does not exist.");
    return std::nullopt;
}

Result<QString> AskSaveFileName(QWidget* parent, const QString& initialDir, const QStringList& filters)
{
    QFileDialog dialog(parent);
    SetUpSaveDialog(dialog, initialDir, filters);
    return ChosenFile(dialog);
}

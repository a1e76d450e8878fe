#include "SaveDialog.h"

#include "MessageText.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>

void setUpSaveDialog(QFileDialog& dialog, const QString& initialDir, const QStringList& filters)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(initialDir);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString());
}

QString typedSaveTarget(const QString& folder, const QString& typed)
{
    const QString name = QDir::fromNativeSeparators(typed);
    const QString path = QDir::isAbsolutePath(name) ? name : QDir(QDir::fromNativeSeparators(folder)).filePath(name);
    return QDir::toNativeSeparators(path);
}

QString saveFolderNotShownMessage(const QString& folder, const QString& reason)
{
    return QStringLiteral("The save dialog cannot open in %1 and opens in another folder.\n%2")
        .arg(pathInMessage(QDir::toNativeSeparators(folder)), reason);
}

std::optional<QStringList> filterPatterns(const QString& filter)
{
    static const QRegularExpression patternsAtEnd(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    const QRegularExpressionMatch match = patternsAtEnd.match(filter);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).split(u' ', Qt::SkipEmptyParts);
}

QString chosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

#include "SaveDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>

void SetUpSaveDialog(QFileDialog& dialog, const QString& initialDir, const QStringList& filters)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(initialDir);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString());
}

std::optional<QStringList> FilterPatterns(const QString& filter)
{
    static const QRegularExpression patternsAtEnd(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    const QRegularExpressionMatch match = patternsAtEnd.match(filter);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).split(u' ', Qt::SkipEmptyParts);
}

QString ChosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

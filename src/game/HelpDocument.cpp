#include "HelpDocument.h"

#include <QDir>

QString helpDocumentPath(const QString& programDirectory)
{
    // QDir joins without doubling the separator of a drive root.
    return QDir::toNativeSeparators(QDir(programDirectory).filePath(QString::fromLatin1(HelpDocumentName)));
}

#include "GamePath.h"

#include <QDir>

QChar PathSeparator()
{
    return QDir::separator();
}

QString GameFile(const QString& gamePath, const QString& relative)
{
    return gamePath + QDir::toNativeSeparators(relative);
}

QString WithTrailingSeparator(const QString& path)
{
    if (path.isEmpty())
        return path;
    QString p = path;
    while (p.size() > 1 && (p.endsWith(PathSeparator()) || p.endsWith(u'/')))
        p.chop(1);
    if (p.endsWith(PathSeparator()) || p.endsWith(u'/'))
        return QDir::toNativeSeparators(p);
    return p + PathSeparator();
}

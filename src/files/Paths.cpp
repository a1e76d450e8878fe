#include "Paths.h"

#include "FileAttributes.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

QChar pathSeparator()
{
    return QDir::separator();
}

bool hasTrailingSeparator(const QString& path)
{
    return path.endsWith(pathSeparator()) || path.endsWith(u'/');
}

QString findEntryIgnoringCase(const QString& dir, const QString& name)
{
    const QString base = dir.isEmpty() ? QStringLiteral(".") : dir;
    if (QFileInfo::exists(QDir(base).filePath(name)))
        return name;
    const QStringList entries =
        QDir(base).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

QString appendIgnoringCase(const QString& dir, const QString& relative)
{
    QString path = dir;
    bool onDisk = true;
    for (const QString& part : QString(relative).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts)) {
        QString name = part;
        if (onDisk) {
            const QString found = findEntryIgnoringCase(path, name);
            onDisk = !found.isEmpty();
            if (onDisk)
                name = found;
        }
        if (!path.endsWith(u'/'))
            path += u'/';
        path += name;
    }
    return path;
}

QString pathIgnoringCase(const QString& path)
{
    const QString p = QDir::fromNativeSeparators(path);
    if (p.isEmpty() || QFileInfo::exists(p))
        return p;
    // The root ("/", or a drive's "C:/") is taken as it is.
    qsizetype rootLength = 0;
    if (p.startsWith(u'/'))
        rootLength = 1;
    else if (p.size() >= 3 && p.at(1) == u':' && p.at(2) == u'/')
        rootLength = 3;
    else
        return p;
    return appendIgnoringCase(p.left(rootLength), p.mid(rootLength));
}

QString gameFile(const QString& gamePath, const QString& relative)
{
    const QString rel = QDir::toNativeSeparators(relative);
    // Exactly one separator between the directory and the name, however the
    // field ends: a path typed without its final separator would otherwise
    // run its last part into the name ("DeusExSystem"), and a drive root
    // chosen in the dialog comes with a separator of its own.
    QString result = gamePath;
    if (!result.isEmpty()) {
        if (!hasTrailingSeparator(result))
            result += pathSeparator();
        while (result.size() > 1 && hasTrailingSeparator(result.chopped(1)))
            result.chop(1);
    }

    const QStringList parts = rel.split(pathSeparator());
    bool onDisk = true;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString part = parts[i];
        if (onDisk && !part.isEmpty()) {
            const QString found = findEntryIgnoringCase(result, part);
            onDisk = !found.isEmpty();
            if (onDisk)
                part = found;
        }
        result += part;
        if (i + 1 < parts.size())
            result += pathSeparator();
    }
    return result;
}

QString withTrailingSeparator(const QString& path)
{
    if (path.isEmpty())
        return path;
    QString p = path;
    while (p.size() > 1 && hasTrailingSeparator(p))
        p.chop(1);
    if (hasTrailingSeparator(p))
        return QDir::toNativeSeparators(p);
    return p + pathSeparator();
}

bool gameFileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && !isHiddenOrSystemFile(info);
}

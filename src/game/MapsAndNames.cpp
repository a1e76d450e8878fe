#include "MapsAndNames.h"

#include "files/FileAttributes.h"
#include "files/Paths.h"

#include <QDirIterator>
#include <QStringList>

#include <QFileInfo>
#include <algorithm>

bool hasForbiddenNameCharacter(const QString& name)
{
    for (char16_t c : ForbiddenNameCharacters) {
        if (c != u'\0' && name.contains(QChar(c)))
            return true;
    }
    return false;
}

QString forbiddenNameMessage()
{
    QStringList characters;
    for (char16_t c : ForbiddenNameCharacters) {
        if (c != u'\0')
            characters.append(QString(QChar(c)));
    }
    return QStringLiteral("Name can't contain the following characters:\n") + characters.join(u' ');
}

QString fileNamePart(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(cut + 1);
}

namespace {

bool sameLetter(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

// The classic greedy match with one point to come back to: on a mismatch the
// last * swallows one more character.
bool matchPlain(QStringView name, QStringView pattern)
{
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starAt = -1;
    qsizetype resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || sameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool matchesWildcard(const QString& name, const QString& pattern)
{
    if (matchPlain(name, pattern))
        return true;
    const QStringView view(pattern);
    return view.endsWith(u".*") && !name.contains(u'.') && matchPlain(name, view.chopped(2));
}

bool mapFound(const QString& gamePath, const QString& mapText)
{
    if (gamePath.isEmpty() || mapText.contains(u'/') || mapText.contains(u'\\'))
        return false;
    const QString pattern = mapText.isEmpty() ? QStringLiteral("*") : mapText;
    QDirIterator it(gameFile(gamePath, QStringLiteral("Maps")),
                    QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QFileInfo file = it.nextFileInfo();
        if (file.isFile() && !isHiddenOrSystemFile(file) && matchesWildcard(file.fileName(), pattern))
            return true;
    }
    return false;
}

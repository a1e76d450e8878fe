#include "RegularFile.h"

#include <QFile>
#include <QFileInfo>

RegularFileOpen OpenRegularFile(QFile& file, const QString& path)
{
    // Opening never waits here: a pipe's client end opens at once or not at
    // all, and a device name (CON, NUL, COM1) opens as the device, which the
    // look after opening tells from a file on a disk.
    const QFileInfo info(path);
    if (info.isDir())
        return {RegularFileOpen::Outcome::Folder, {}};
    if (info.exists() && !info.isFile())
        return {RegularFileOpen::Outcome::NotAFile, {}};
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {RegularFileOpen::Outcome::Failed, file.errorString()};
    if (file.isSequential()) {
        file.close();
        return {RegularFileOpen::Outcome::NotAFile, {}};
    }
    return {RegularFileOpen::Outcome::Opened, {}};
}

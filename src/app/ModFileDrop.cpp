#include "ModFileDrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

ModFileDrop::ModFileDrop(QWidget* window, std::function<void(const QString&)> open)
    : QObject(window), m_open(std::move(open))
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    watch(window);
}

void ModFileDrop::watch(QWidget* root)
{
    // Text boxes take drops of their own and would paste the file's path.
    for (QWidget* child : root->findChildren<QWidget*>()) {
        if (child->acceptDrops())
            child->installEventFilter(this);
    }
}

QString ModFileDrop::droppedModFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    // Files copied from Windows often end in ".INT"; Open reads them too. A
    // folder, pipe or device of that name is refused by the drag cursor,
    // not by a message after the drop.
    if (!path.endsWith(QLatin1String(".int"), Qt::CaseInsensitive) || !QFileInfo(path).isFile())
        return {};
    return path;
}

bool ModFileDrop::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);

    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = droppedModFile(drop->mimeData());
    // Copy, never move: a file manager deletes the source of a moved file.
    if (path.isEmpty() || !(drop->possibleActions() & Qt::CopyAction)) {
        if (!drop->mimeData()->hasUrls())
            return QObject::eventFilter(watched, event);
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        // The file manager waits until the drop returns; the messages that
        // Open may show must not keep it waiting.
        QMetaObject::invokeMethod(
            this, [this, path] { m_open(path); }, Qt::QueuedConnection);
    }
    return true;
}

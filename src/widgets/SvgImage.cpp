#include "SvgImage.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <QWidget>

QPixmap RenderSvg(const QString& resource, QSize size, const QWidget* on)
{
    // Pages show the same picture many times (an empty slot, say): draw each
    // picture once per size and screen density.
    const qreal ratio = on ? on->devicePixelRatioF() : qGuiApp->devicePixelRatio();
    const QString key =
        QStringLiteral("zarvik:%1@%2x%3x%4").arg(resource).arg(size.width()).arg(size.height()).arg(ratio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    pixmap = QPixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(ratio);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QIcon ApplicationIcon()
{
    return QIcon(RenderSvg(QStringLiteral(":/icons/zarvik.svg"), QSize(64, 64)));
}

#include "SvgImage.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

QPixmap RenderSvg(const QString& resource, QSize size, const QWidget* on)
{
    const qreal ratio = on ? on->devicePixelRatioF() : qGuiApp->devicePixelRatio();
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon ApplicationIcon()
{
    return QIcon(RenderSvg(QStringLiteral(":/icons/zarvik.svg"), QSize(64, 64)));
}

#include "SvgImage.h"

#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr int LargestDrawing = 3;

QString drawingPath(const QString& name, int scale)
{
    return scale == 1 ? name + QStringLiteral(".png") : name + QStringLiteral("@%1x.png").arg(scale);
}

} // namespace

QPixmap AssetPixmap(const QString& name, QSize size, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QSize pixels = size * ratio;
    const int scale = std::clamp(static_cast<int>(std::ceil(ratio - 0.01)), 1, LargestDrawing);
    QPixmap pixmap(drawingPath(name, scale), "PNG");
    if (pixmap.isNull()) {
        pixmap = QPixmap(pixels);
        pixmap.fill(Qt::transparent);
    } else if (pixmap.size() != pixels) {
        pixmap = pixmap.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QPixmap AssetPixmap(const QString& name, QSize size, const QWidget* on)
{
    return AssetPixmap(name, size, on ? on->devicePixelRatioF() : qGuiApp->devicePixelRatio());
}

QIcon AssetIcon(const QString& name, QSize size)
{
    QIcon icon;
    for (int scale = 1; scale <= LargestDrawing; ++scale)
        icon.addPixmap(AssetPixmap(name, size, static_cast<qreal>(scale)));
    return icon;
}

QIcon ApplicationIcon()
{
    return AssetIcon(QStringLiteral(":/icons/zarvik"), QSize(64, 64));
}

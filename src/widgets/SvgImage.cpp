#include "SvgImage.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmapCache>
#include <QResource>
#include <QScreen>
#include <QSysInfo>
#include <QtEndian>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr int LargestDrawing = 3;

QString drawingPath(const QString& name, int scale, QLatin1StringView extension)
{
    return scale == 1 ? name + extension : name + QStringLiteral("@%1x").arg(scale) + extension;
}

// One drawing as the build made it: plain pixels for the pictures shown at
// start-up, which need no decoding, PNG for the others.
QImage readDrawing(const QString& name, int scale, QSize pixels)
{
    const QResource plain(drawingPath(name, scale, QLatin1StringView(".argb")));
    if (plain.isValid()) {
        const qsizetype count = qsizetype(pixels.width()) * pixels.height();
        if (plain.compressionAlgorithm() != QResource::NoCompression || plain.size() != count * 4)
            return {};
        // Little-endian ARGB words are the very layout Qt paints from here:
        // the image reads the resource in place, and a pixmap made from it
        // shares those bytes rather than converting a copy.
        if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian)
            return QImage(plain.data(), pixels.width(), pixels.height(), pixels.width() * 4,
                          QImage::Format_ARGB32_Premultiplied);
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        for (qsizetype i = 0; i < count; ++i)
            reinterpret_cast<QRgb*>(image.bits())[i] = qFromLittleEndian<quint32>(plain.data() + 4 * i);
        return image;
    }
    // The built-in PNG reader only: left to guess, the reader would first ask
    // every image format plugin, loading them all, whether it knows the file.
    QImageReader reader(drawingPath(name, scale, QLatin1StringView(".png")), "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace

QPixmap AssetPixmap(const QString& name, QSize size, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    // Pages show the same picture many times (an empty slot, say): load each
    // picture once per size and screen density.
    const QString key = QStringLiteral("zarvik:%1@%2x%3x%4").arg(name).arg(size.width()).arg(size.height()).arg(ratio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    const QSize pixels = size * ratio;
    const int scale = std::clamp(static_cast<int>(std::ceil(ratio - 0.01)), 1, LargestDrawing);
    pixmap = QPixmap::fromImage(readDrawing(name, scale, size * scale));
    if (pixmap.isNull()) {
        pixmap = QPixmap(pixels);
        pixmap.fill(Qt::transparent);
    } else if (pixmap.size() != pixels) {
        pixmap = pixmap.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    pixmap.setDevicePixelRatio(ratio);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QPixmap AssetPixmap(const QString& name, QSize size, const QWidget* on)
{
    return AssetPixmap(name, size, on ? on->devicePixelRatioF() : qGuiApp->devicePixelRatio());
}

QIcon AssetIcon(const QString& name, QSize size, qreal largestRatio)
{
    QIcon icon;
    const int drawings = largestRatio > 1.0 ? LargestDrawing : 1;
    for (int scale = 1; scale <= drawings; ++scale)
        icon.addPixmap(AssetPixmap(name, size, static_cast<qreal>(scale)));
    return icon;
}

qreal LargestScreenRatio()
{
    qreal largest = 1.0;
    for (const QScreen* screen : QGuiApplication::screens())
        largest = std::max(largest, screen->devicePixelRatio());
    return largest;
}

QIcon ApplicationIcon()
{
    // One drawing, the one for the screen the program starts on: the window
    // system is handed every size an icon holds, so all three would be
    // decoded, converted and sent for a title bar that shows one.
    return QIcon(AssetPixmap(QStringLiteral(":/icons/zarvik"), QSize(64, 64), qGuiApp->devicePixelRatio()));
}

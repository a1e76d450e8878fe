#include "AssetPictures.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QResource>
#include <QSysInfo>
#include <QtEndian>

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

// The drawing a device pixel ratio shows: the one of that ratio, or the next
// denser one, scaled down, between them.
int drawingFor(qreal ratio)
{
    return std::clamp(static_cast<int>(std::ceil(ratio - 0.01)), 1, LargestDrawing);
}

// Reads each drawing of a picture when it is first painted at its ratio, and
// leaves modes and sizes to an icon of the drawings read so far.
class AssetIconEngine : public QIconEngine
{
public:
    AssetIconEngine(const QString& name, QSize size) : m_name(name), m_size(size) {}

    QIconEngine* clone() const override { return new AssetIconEngine(*this); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // `size` is in device pixels.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        const int drawing = drawingFor(scale);
        const unsigned bit = 1U << drawing;
        if (!(m_read & bit)) {
            m_read |= bit;
            m_drawings.addPixmap(assetPixmap(m_name, m_size, drawing));
        }
        return m_drawings.pixmap((QSizeF(size) / scale).toSize(), scale, mode, state);
    }

    // A picture of one size: shrunk to fit, never enlarged.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        if (m_size.width() <= size.width() && m_size.height() <= size.height())
            return m_size;
        return m_size.scaled(size, Qt::KeepAspectRatio);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {m_size}; }

    // A missing drawing shows as a transparent picture of its size.
    bool isNull() override { return false; }

    QString key() const override { return QStringLiteral("zarvik.asset"); }

private:
    QString m_name;
    QSize m_size;
    QIcon m_drawings;
    unsigned m_read = 0;
};

} // namespace

QPixmap assetPixmap(const QString& name, QSize size, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    // Pages show the same picture many times (an empty slot, say): load each
    // picture once per size and screen density.
    const QString key = QStringLiteral("zarvik:%1@%2x%3x%4").arg(name).arg(size.width()).arg(size.height()).arg(ratio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    const QSize pixels = size * ratio;
    const int scale = drawingFor(ratio);
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

QIcon assetIcon(const QString& name, QSize size)
{
    return QIcon(new AssetIconEngine(name, size));
}

QIcon applicationIcon()
{
    // The window system is asked for the icon's one size, at the ratio of
    // the screen the program starts on.
    return assetIcon(QStringLiteral(":/icons/zarvik"), QSize(64, 64));
}

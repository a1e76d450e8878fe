// Draws the program's SVG pictures at build time into the PNG and pixel
// files it carries as resources, into the Windows icon and into the icon
// theme's sizes of its desktop icon, so that neither the program nor its
// packages need an SVG renderer or image converter of their own.
//
//   RenderAssets png <picture.svg> <out stem> <size>
//       writes <stem>.png, <stem>@2x.png and <stem>@3x.png, <size> pixels
//       square at 1x and twice and three times that;
//   RenderAssets argb <picture.svg> <out stem> <size>
//       the same drawings as plain pixels, <stem>.argb and so on: rows of
//       32-bit alpha, red, green, blue words, little-endian, colours
//       premultiplied by alpha, for pictures shown at start-up. That is the
//       layout Qt paints from on the machines the program runs on, so the
//       program shows them as they are, without decoding or converting;
//   RenderAssets ico <icon.svg> <out.ico> <size>...
//       writes one Windows icon holding every size;
//   RenderAssets theme <icon.svg> <theme dir> <name> <size>...
//       writes <theme dir>/<size>x<size>/apps/<name>.png for every size, the
//       program's icon in an icon theme's sizes, for the desktop;
//   RenderAssets banner <icon.svg> <out.bmp> <width> <height> <icon size>
//       writes a picture for the Windows installer's pages, a 24-bit BMP as
//       NSIS reads them: the icon centred on the icon's own near-black, with
//       a band of its red along the bottom (a header) or the right edge (the
//       welcome page's tall picture).
//
// The pictures are drawn exactly as the program drew them from the SVG at
// run time before, so a screen at 1x shows the same pixels.

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QString>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdio>
#include <vector>

namespace {

QImage render(QSvgRenderer& renderer, int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// Icons go up to 256 pixels, the largest a Windows icon holds.
bool parseSize(const char* text, int& size, int largest = 256)
{
    bool ok = false;
    size = QString::fromLocal8Bit(text).toInt(&ok);
    if (ok && size > 0 && size <= largest)
        return true;
    std::fprintf(stderr, "RenderAssets: bad size %s\n", text);
    return false;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    std::fprintf(stderr, "RenderAssets: cannot write %s\n", qPrintable(path));
    return false;
}

// The image in a file format ("PNG", "BMP"); empty when it cannot be encoded.
QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        return {};
    return bytes;
}

QByteArray png(const QImage& image)
{
    return encoded(image, "PNG");
}

QByteArray argb(const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray bytes;
    bytes.reserve(pixels.width() * pixels.height() * 4);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const quint32 little = qToLittleEndian<quint32>(row[x]);
            bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
        }
    }
    return bytes;
}

template <typename T> void append(QByteArray& out, T value)
{
    const T little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

// An icon file whose images are PNG streams, as Windows reads them since Vista.
QByteArray icoFile(const std::vector<QByteArray>& images, const std::vector<int>& sizes)
{
    QByteArray out;
    append<quint16>(out, 0);
    append<quint16>(out, 1);
    append<quint16>(out, static_cast<quint16>(images.size()));
    quint32 offset = static_cast<quint32>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto side = static_cast<quint8>(sizes[i] >= 256 ? 0 : sizes[i]);
        append<quint8>(out, side);
        append<quint8>(out, side);
        append<quint8>(out, 0);
        append<quint8>(out, 0);
        append<quint16>(out, 1);
        append<quint16>(out, 32);
        append<quint32>(out, static_cast<quint32>(images[i].size()));
        append<quint32>(out, offset);
        offset += static_cast<quint32>(images[i].size());
    }
    for (const QByteArray& image : images)
        out.append(image);
    return out;
}

// The installer's picture in the program icon's colours.
QImage banner(QSvgRenderer& renderer, int width, int height, int iconSize)
{
    const QColor background(0x10, 0x10, 0x10);
    const QColor accent(0xc0, 0x00, 0x00);
    constexpr int Band = 4;
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(background);
    QPainter painter(&image);
    const bool tall = height > width;
    painter.fillRect(tall ? QRect(width - Band, 0, Band, height) : QRect(0, height - Band, width, Band), accent);
    const int left = tall ? (width - Band - iconSize) / 2 : (width - iconSize) / 2;
    const int top = tall ? height / 4 - iconSize / 2 : (height - Band - iconSize) / 2;
    renderer.render(&painter, QRectF(left, top, iconSize, iconSize));
    return image;
}

int usage()
{
    std::fprintf(stderr, "usage: RenderAssets png|argb <picture.svg> <out stem> <size>\n"
                         "       RenderAssets ico <icon.svg> <out.ico> <size>...\n"
                         "       RenderAssets theme <icon.svg> <theme dir> <name> <size>...\n"
                         "       RenderAssets banner <icon.svg> <out.bmp> <width> <height> <icon size>\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 5)
        return usage();
    const QByteArray mode = argv[1];
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[2]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "RenderAssets: cannot read %s\n", argv[2]);
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[3]);
    if ((mode == "png" || mode == "argb") && argc == 5) {
        int size = 0;
        if (!parseSize(argv[4], size))
            return 2;
        const QString extension = QLatin1Char('.') + QString::fromLatin1(mode);
        for (int scale = 1; scale <= 3; ++scale) {
            const QString path = scale == 1 ? out + extension : out + QStringLiteral("@%1x").arg(scale) + extension;
            const QImage image = render(renderer, size * scale);
            if (!writeFile(path, mode == "png" ? png(image) : argb(image)))
                return 1;
        }
        return 0;
    }
    if (mode == "banner" && argc == 7) {
        int width = 0;
        int height = 0;
        int iconSize = 0;
        constexpr int LargestPicture = 1024;
        if (!parseSize(argv[4], width, LargestPicture) || !parseSize(argv[5], height, LargestPicture) ||
            !parseSize(argv[6], iconSize))
            return 2;
        const QByteArray bytes = encoded(banner(renderer, width, height, iconSize), "BMP");
        if (bytes.isEmpty()) {
            std::fprintf(stderr, "RenderAssets: cannot draw %s\n", qPrintable(out));
            return 1;
        }
        return writeFile(out, bytes) ? 0 : 1;
    }
    if (mode == "ico") {
        std::vector<QByteArray> images;
        std::vector<int> sizes;
        for (int i = 4; i < argc; ++i) {
            int size = 0;
            if (!parseSize(argv[i], size))
                return 2;
            sizes.push_back(size);
            images.push_back(png(render(renderer, size)));
        }
        return writeFile(out, icoFile(images, sizes)) ? 0 : 1;
    }
    if (mode == "theme" && argc >= 6) {
        const QString name = QString::fromLocal8Bit(argv[4]);
        for (int i = 5; i < argc; ++i) {
            int size = 0;
            if (!parseSize(argv[i], size))
                return 2;
            const QString path = QStringLiteral("%1/%2x%2/apps/%3.png").arg(out).arg(size).arg(name);
            if (!writeFile(path, png(render(renderer, size))))
                return 1;
        }
        return 0;
    }
    return usage();
}

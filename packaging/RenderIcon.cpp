// Renders the program's SVG icon into the PNG sizes of the icon theme, at
// build time, so the package needs no image converter of its own.
//
//   RenderIcon <icon.svg> <theme dir> <name> <size>...
//
// writes <theme dir>/<size>x<size>/apps/<name>.png for every size.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: RenderIcon <icon.svg> <theme dir> <name> <size>...\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "RenderIcon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir theme(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size <= 0 || size > 1024) {
            std::fprintf(stderr, "RenderIcon: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter);
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = theme.filePath(folder + QStringLiteral("/") + name + QStringLiteral(".png"));
        if (!theme.mkpath(folder) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "RenderIcon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

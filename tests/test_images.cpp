// The pictures drawn at build time against their SVG sources drawn the way
// the program once drew them at run time: a screen at 1x shows the very same
// pixels, and high-density screens get drawings of their own.

#include "support/Controls.h"
#include "support/GameFixture.h"
#include "support/TestWindow.h"

#include "mod/SkillTable.h"
#include "widgets/AssetPictures.h"
#include "widgets/PictureBox.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString AssetsDir = QStringLiteral(ZARVIK_ASSETS_DIR);

// Resource names ":/folder/name" from assets/folder/name.svg.
QString svgOf(const QString& name)
{
    return AssetsDir + name.mid(1) + QStringLiteral(".svg");
}

QImage drawnFromSvg(const QString& name, QSize size, qreal ratio = 1.0)
{
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(svgOf(name));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage shown(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Where the images differ, for the failure message.
QString firstDifference(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("pixel (%1, %2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .arg(expected.pixel(x, y), 8, 16, QLatin1Char('0'));
    return {};
}

#define COMPARE_PIXELS(actual, expected)                                                                               \
    QVERIFY2(firstDifference(actual, expected).isEmpty(), qPrintable(firstDifference(actual, expected)))

} // namespace

class TestImages : public QObject
{
    Q_OBJECT
private slots:
    void drawingsMatchTheirSources_data();
    void drawingsMatchTheirSources();
    void windowShowsTheDrawings();
    void picturesPaintForTheirScreen();
    void ratiosBetweenDrawingsAreScaled();
};

void TestImages::drawingsMatchTheirSources_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    // Every SVG of a folder is drawn at the size its screen shows it.
    const struct
    {
        const char* folder;
        int size;
    } folders[] = {{"augs", 52}, {"skills", 24}, {"icons", 16}};
    for (const auto& f : folders) {
        const QDir dir(AssetsDir + QLatin1Char('/') + QLatin1String(f.folder));
        const QStringList svgs = dir.entryList({QStringLiteral("*.svg")}, QDir::Files);
        QVERIFY(!svgs.isEmpty());
        for (const QString& svg : svgs) {
            const QString name = QStringLiteral(":/%1/%2").arg(QLatin1String(f.folder), svg.chopped(4));
            const int size = name == QLatin1String(":/icons/zarvik") ? 64 : f.size;
            QTest::newRow(qPrintable(name)) << name << QSize(size, size);
        }
    }
}

void TestImages::drawingsMatchTheirSources()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    for (int ratio = 1; ratio <= 3; ++ratio) {
        const QPixmap pixmap = assetPixmap(name, size, static_cast<qreal>(ratio));
        QCOMPARE(pixmap.devicePixelRatio(), static_cast<qreal>(ratio));
        COMPARE_PIXELS(shown(pixmap), drawnFromSvg(name, size, ratio));
    }
}

void TestImages::windowShowsTheDrawings()
{
    TestWindow t;
    frmMain& w = *t.window;
    w.show();
    COMPARE_PIXELS(shown(w.windowIcon().pixmap(QSize(64, 64), 1.0)),
                   drawnFromSvg(QStringLiteral(":/icons/zarvik"), {64, 64}));
    for (const char* key : {"New", "Open", "Save", "Play", "Exit"}) {
        auto* action = Control<QToolButton>(&w, QStringLiteral("Toolbar1_") + QLatin1String(key))->defaultAction();
        QVERIFY(action);
        const QString name = QStringLiteral(":/icons/") + QString::fromLatin1(key).toLower();
        for (int ratio = 1; ratio <= 3; ++ratio)
            COMPARE_PIXELS(shown(action->icon().pixmap(QSize(16, 16), ratio)), drawnFromSvg(name, {16, 16}, ratio));
    }
    for (const SkillInfo& skill : Skills)
        COMPARE_PIXELS(shown(Control<PictureBox>(&w, "picSkills", skill.icon)->picture().pixmap(QSize(24, 24), 1.0)),
                       drawnFromSvg(QString::fromLatin1(skill.image), {24, 24}));
}

void TestImages::picturesPaintForTheirScreen()
{
    // A picture control paints the drawing for the pixel ratio of its
    // screen. The suite runs this on a standard and on a double-density
    // screen, where the 2x drawings must show, not the 1x ones enlarged.
    TestWindow t;
    t.window->buildPages();
    for (const SkillInfo& skill : Skills) {
        PictureBox* picture = Control<PictureBox>(t.window.get(), "picSkills", skill.icon);
        QCOMPARE(picture->size(), QSize(24, 24));
        const qreal ratio = picture->devicePixelRatioF();
        QImage painted(picture->size() * ratio, QImage::Format_ARGB32_Premultiplied);
        painted.setDevicePixelRatio(ratio);
        painted.fill(Qt::transparent);
        picture->render(&painted, QPoint(), QRegion(), QWidget::RenderFlags());
        painted.setDevicePixelRatio(1.0);
        COMPARE_PIXELS(painted, drawnFromSvg(QString::fromLatin1(skill.image), {24, 24}, ratio));
    }
}

void TestImages::ratiosBetweenDrawingsAreScaled()
{
    const QPixmap between = assetPixmap(QStringLiteral(":/skills/pistol"), QSize(24, 24), 1.5);
    QCOMPARE(between.size(), QSize(36, 36));
    QCOMPARE(between.devicePixelRatio(), 1.5);
    const QImage image = shown(between);
    bool inked = false;
    for (int y = 0; y < image.height() && !inked; ++y)
        for (int x = 0; x < image.width() && !inked; ++x)
            inked = qAlpha(image.pixel(x, y)) != 0;
    QVERIFY(inked);

    const QPixmap missing = assetPixmap(QStringLiteral(":/skills/nonexistent"), QSize(24, 24), 2.0);
    QCOMPARE(missing.size(), QSize(48, 48));
    QCOMPARE(shown(missing).pixel(10, 10), 0u);
}

QTEST_MAIN(TestImages)
#include "test_images.moc"

#include "AppStyle.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>

#include <cmath>
#include <optional>

namespace {

// Stands in for one of the style's standard icons and asks the style for it
// when it is first needed, with the option and widget it was asked with.
class DeferredIconEngine : public QIconEngine
{
public:
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap which, const QStyleOption* option, const QWidget* widget)
        : m_style(style), m_which(which), m_widget(widget)
    {
        if (option)
            m_option = *option;
    }

    QIconEngine* clone() const override
    {
        return new DeferredIconEngine(m_style, m_which, m_option ? &*m_option : nullptr, m_widget);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }

    // The style always has these icons: saying so spares fetching them.
    bool isNull() override { return m_icon && m_icon->isNull(); }

    QString key() const override { return QStringLiteral("zarvik.deferred"); }

private:
    const QIcon& icon()
    {
        if (!m_icon)
            m_icon = m_style ? m_style->standardIcon(m_which, m_option ? &*m_option : nullptr, m_widget) : QIcon();
        return *m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    std::optional<QStyleOption> m_option;
    QPointer<const QWidget> m_widget;
    std::optional<QIcon> m_icon;
};

// At a fractional device pixel ratio a control seldom starts on a whole
// device pixel: the style rounds its one-pixel borders one way and the
// control's clip another, and a border that lands outside the clip is lost
// (Windows' theme code also scales by the widget's ratio, not the painter's).
// Such a frame is drawn as at 100 %, one device pixel to a pixel, into an
// image exactly the size of the device pixels the control covers, and put
// there. False where the frame lands on whole pixels as it is.
template <class Draw> bool drawFrameOnWholePixels(const QStyleOption* option, QPainter* painter, Draw draw)
{
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (!frame || !painter || !painter->device())
        return false;
    const qreal ratio = painter->device()->devicePixelRatio();
    const QTransform device = painter->deviceTransform();
    if (ratio == std::floor(ratio) || device.type() > QTransform::TxScale)
        return false;
    const QRectF exact = device.mapRect(QRectF(frame->rect));
    const QRect pixels(QPoint(qRound(exact.left()), qRound(exact.top())),
                       QPoint(qRound(exact.right()) - 1, qRound(exact.bottom()) - 1));
    if (pixels.isEmpty())
        return false;
    QImage image(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QStyleOptionFrame atDevice(*frame);
    atDevice.rect = QRect(QPoint(0, 0), pixels.size());
    {
        QPainter onImage(&image);
        draw(&atDevice, &onImage);
    }
    image.setDevicePixelRatio(ratio);
    painter->drawImage(device.inverted().map(QPointF(pixels.topLeft())), image);
    return true;
}

bool isFrame(QStyle::PrimitiveElement element)
{
    return element == QStyle::PE_PanelLineEdit || element == QStyle::PE_FrameLineEdit || element == QStyle::PE_Frame ||
           element == QStyle::PE_FrameGroupBox;
}

} // namespace

AppStyle::AppStyle(QStyle* base) : QProxyStyle(base) {}

QIcon AppStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option, const QWidget* widget) const
{
    const bool overflow =
        standardIcon == SP_ToolBarHorizontalExtensionButton || standardIcon == SP_ToolBarVerticalExtensionButton;
    // An option of a derived kind would lose its extra fields in the copy.
    if (overflow && (!option || option->type == QStyleOption::SO_Default))
        return QIcon(new DeferredIconEngine(baseStyle(), standardIcon, option, widget));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

int AppStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                        QStyleHintReturn* returnData) const
{
    // Nothing in this program's windows moves in the ways Qt animates (no
    // docks or movable toolbars, no movable tabs, no buttons inside text
    // boxes), yet with animations on the main window's layout places its
    // contents through zero-length animations at every start.
    if (hint == SH_Widget_Animation_Duration)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void AppStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    // Drawn onto the image for no widget, whose ratio is not the image's.
    if (isFrame(element) && drawFrameOnWholePixels(option, painter, [&](const QStyleOption* o, QPainter* p) {
            QProxyStyle::drawPrimitive(element, o, p, nullptr);
        }))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void AppStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const
{
    // A list's or frame's border; see drawPrimitive.
    if (element == CE_ShapedFrame && drawFrameOnWholePixels(option, painter, [&](const QStyleOption* o, QPainter* p) {
            QProxyStyle::drawControl(element, o, p, nullptr);
        }))
        return;
    QProxyStyle::drawControl(element, option, painter, widget);
}

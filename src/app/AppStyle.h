#pragma once

#include <QProxyStyle>

// The application's style: the one Qt chose, except that the overflow
// buttons of the menu bar and the toolbar fetch their icon only when they are
// first drawn (this fixed-size window never shows them, and fetching the icon
// makes Qt load every image format plugin before the window appears), that
// widgets do not animate, and that at a fractional scale the frames of text
// boxes, lists and group boxes are drawn on whole device pixels, so that no
// border falls outside its control.
class AppStyle : public QProxyStyle
{
public:
    // Takes ownership of the style it wraps.
    explicit AppStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

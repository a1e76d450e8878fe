#pragma once

#include <QHash>
#include <QImage>
#include <QProxyStyle>

// The application's style: the one Qt chose, except that the overflow
// buttons of the menu bar and the toolbar fetch their icon only when they are
// first drawn (this fixed-size window never shows them, and fetching the icon
// makes Qt load every image format plugin before the window appears), that
// widgets do not animate, that text boxes of one size and look share one
// drawing of their panel (Fusion strokes each panel's rounded, antialiased
// outline anew, the dearest part of painting the main window), and that the
// tab widget's frame is drawn in bands, which spares starting threads. At a
// fractional scale the frames of text boxes, lists and group boxes are drawn
// on whole device pixels, so that no border falls outside its control.
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

private:
    // Draws a text box's panel from the stored drawing, making it first;
    // false where the stored drawing would not land exactly as the style
    // draws the panel itself.
    bool drawStoredPanel(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    // Draws a tall frame in bands of rows; false where that is not the same.
    bool drawFrameInBands(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                          const QWidget* widget) const;

    // The stored drawings are made for Fusion's panels, which depend on the
    // option alone.
    const bool m_fusion;
    mutable QHash<QString, QImage> m_panels;
};

#pragma once

#include <QProxyStyle>

// The application's style: the one Qt chose, except that the overflow
// buttons of the menu bar and the toolbar fetch their icon only when they are
// first drawn (this fixed-size window never shows them, and fetching the icon
// makes Qt load every image format plugin before the window appears), and
// that widgets do not animate.
class AppStyle : public QProxyStyle
{
public:
    // Takes ownership of the style it wraps.
    explicit AppStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

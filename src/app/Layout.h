#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QVariant>
#include <QWidget>

// The window's design is measured in twips, 15 to a device-independent pixel;
// Qt scales those pixels on high-density screens.
inline constexpr int TwipsPerPixel = 15;

inline int FromTwips(int twips)
{
    return (twips >= 0 ? twips + TwipsPerPixel / 2 : twips - TwipsPerPixel / 2) / TwipsPerPixel;
}

inline QRect Twips(int left, int top, int width, int height)
{
    return QRect(FromTwips(left), FromTwips(top), FromTwips(width), FromTwips(height));
}

// Controls that form an indexed set are named "txtLevel(3)", "picPart(5)".
inline QString IndexedName(const char* base, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(base)).arg(index);
}

// The keyboard order of the design; the main window chains every control
// carrying it, lowest first.
inline constexpr char TabIndexProperty[] = "zarvikTabIndex";

// Creates a control at its design position with its object name and, when
// it takes part in keyboard navigation, its keyboard order.
template <class W, class... Args>
W* Place(QWidget* parent, const QString& name, const QRect& geometry, int tabIndex, Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    if (tabIndex >= 0)
        w->setProperty(TabIndexProperty, tabIndex);
    return w;
}

// The design's controls were laid out for a small, narrow 8-point sans-serif
// face; wider faces at the desktop's default size would cut the captions.
inline QFont DesignFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Segoe UI"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Helvetica")});
    font.setPointSizeF(8);
    return font;
}

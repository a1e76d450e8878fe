#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <type_traits>

// The window's design is measured in twips, 15 to a device-independent pixel;
// Qt scales those pixels on high-density screens.
inline constexpr int TwipsPerPixel = 15;

inline int fromTwips(int twips)
{
    return (twips >= 0 ? twips + TwipsPerPixel / 2 : twips - TwipsPerPixel / 2) / TwipsPerPixel;
}

inline QRect twips(int left, int top, int width, int height)
{
    return QRect(fromTwips(left), fromTwips(top), fromTwips(width), fromTwips(height));
}

// Controls that form an indexed set are named "txtLevel(3)", "picPart(5)".
inline QString indexedName(const char* base, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(base)).arg(index);
}

// The keyboard order of the design; ChainTabOrder follows it.
inline constexpr char TabIndexProperty[] = "zarvikTabIndex";

// One control of a window's design: its name, its place in twips relative to
// its parent, its keyboard order (NotInTabOrder for labels, pictures and
// lines) and its caption or initial text, if any. Every fixed page keeps its
// controls in a table of these, so its geometry stands in one place.
inline constexpr int NotInTabOrder = -1;

struct ControlDesign
{
    const char* name;
    int left, top, width, height;
    int tabIndex = NotInTabOrder;
    const char* caption = nullptr;

    QRect geometry() const { return twips(left, top, width, height); }
};

// Creates a control at its design position with its object name and, when
// it takes part in keyboard navigation, its keyboard order.
template <class W, class... Args>
W* place(QWidget* parent, const QString& name, const QRect& geometry, int tabIndex, Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    if (tabIndex >= 0)
        w->setProperty(TabIndexProperty, tabIndex);
    return w;
}

// Creates a control from its row of a design table.
template <class W> W* place(QWidget* parent, const ControlDesign& design)
{
    const QString name = QString::fromLatin1(design.name);
    if constexpr (std::is_constructible_v<W, const QString&, QWidget*>) {
        if (design.caption)
            return place<W>(parent, name, design.geometry(), design.tabIndex, QString::fromLatin1(design.caption));
    }
    return place<W>(parent, name, design.geometry(), design.tabIndex);
}

class QPushButton;

// A button that shows only a sign ("...", an arrow): its tip, shown on
// hover and read by assistive technology, says what it does.
QPushButton* placeButtonWithTip(QWidget* parent, const ControlDesign& design, const char* tip);

// Chains every control below root that carries a keyboard order, lowest
// first; controls of one number keep the order in which they were made.
void chainTabOrder(QWidget* root);

// The design's controls were laid out for a small, narrow 8-point sans-serif
// face; wider faces at the desktop's default size would cut the captions.
// Needs the application object.
QFont designFont();

class QListView;

// Makes a list look like a classic list box, the same on every platform:
// rows the height of its face's line (a fifth more than the face's size),
// whatever the style adds around an item (Windows' adds pixels), and no
// horizontal scroll bar, whose height differs from style to style. A name
// longer than the list is wide is shortened in its middle and shows whole in
// its tooltip.
void useDesignRows(QListView* list);

// Makes the design font the font of every kind of control: the application's
// font, with none of the platform's own fonts for menus, message boxes, lists
// and tooltips left beside it. Setting the application's style brings those
// back, so this comes after it.
void useDesignFont();

#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

class QWidget;

// The program's pictures. Their SVG sources in assets/ are drawn at build
// time at 1x, 2x and 3x; `name` is a resource without its extension, such as
// ":/icons/new", and `size` the size the build drew it at 1x.

// The picture for the screen the widget is on (the application's screen
// without one): the matching drawing, scaled only at ratios between them.
QPixmap AssetPixmap(const QString& name, QSize size, const QWidget* on = nullptr);
QPixmap AssetPixmap(const QString& name, QSize size, qreal devicePixelRatio);

// The drawings screens of at most `largestRatio` show: on a standard-density
// desktop (1) the 1x drawing alone, which is all such screens ever paint;
// above that all three, for widgets that may move between screens.
QIcon AssetIcon(const QString& name, QSize size, qreal largestRatio);

// The largest device pixel ratio of the screens there are now.
qreal LargestScreenRatio();

// The program's icon, for the title bar of each of its windows, drawn for
// the application's screen.
QIcon ApplicationIcon();

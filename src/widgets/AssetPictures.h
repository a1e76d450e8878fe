#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's pictures. Their SVG sources in assets/ are drawn at build
// time at 1x, 2x and 3x; `name` is a resource without its extension, such as
// ":/icons/new", and `size` the size the build drew it at 1x.

// The picture for a device pixel ratio: the matching drawing, scaled only at
// ratios between them.
QPixmap assetPixmap(const QString& name, QSize size, qreal devicePixelRatio);

// The picture as an icon that reads a drawing only when it is first painted
// at that drawing's ratio: a standard-density screen never reads the denser
// ones, and a window moved to a denser screen paints them from then on.
QIcon assetIcon(const QString& name, QSize size);

// The program's icon, for the title bar of each of its windows.
QIcon applicationIcon();

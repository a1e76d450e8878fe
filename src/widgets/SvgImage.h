#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

class QWidget;

// Draws one of the program's SVG images at a size in device-independent
// pixels, sharp on the screen the widget is on.
QPixmap RenderSvg(const QString& resource, QSize size, const QWidget* on = nullptr);

// The program's icon, for the title bar of each of its windows.
QIcon ApplicationIcon();

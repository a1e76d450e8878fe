#include "PictureBox.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace {

// As a label showing a picture is: a graphic, not a piece of text.
QAccessibleInterface* accessiblePicture(const QString& className, QObject* object)
{
    if (className == QLatin1String("PictureBox") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QFrame(parent)
{
    static const bool accessible = (QAccessible::installFactory(accessiblePicture), true);
    Q_UNUSED(accessible);
}

void PictureBox::setPicture(const QIcon& picture)
{
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    m_picture.paint(&painter, contentsRect(), Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

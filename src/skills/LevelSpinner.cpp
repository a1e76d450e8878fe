#include "LevelSpinner.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWheelEvent>

namespace {

// Holding an arrow down repeats the step, as a scroll bar's arrow does.
constexpr int RepeatDelayMs = 400;
constexpr int RepeatIntervalMs = 100;

} // namespace

LevelSpinner::LevelSpinner(QWidget* parent) : QAbstractSlider(parent)
{
    setOrientation(Qt::Vertical);
    setSingleStep(1);
    setPageStep(1);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QAbstractSlider::valueChanged, this, qOverload<>(&QWidget::update));
    connect(this, &QAbstractSlider::rangeChanged, this, qOverload<>(&QWidget::update));
}

QSize LevelSpinner::sizeHint() const
{
    return {13, 19};
}

QSize LevelSpinner::minimumSizeHint() const
{
    return {9, 12};
}

QRect LevelSpinner::arrowRect(Arrow arrow) const
{
    const int half = height() / 2;
    if (arrow == Arrow::Up)
        return {0, 0, width(), half};
    return {0, half, width(), height() - half};
}

void LevelSpinner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (Arrow arrow : {Arrow::Up, Arrow::Down}) {
        const QRect r = arrowRect(arrow);
        const bool atEnd = arrow == Arrow::Up ? value() >= maximum() : value() <= minimum();

        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = r;
        button.state &= ~QStyle::State_HasFocus;
        button.state |= m_pressed == arrow ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);

        QStyleOption indicator;
        indicator.initFrom(this);
        indicator.rect = r.adjusted(2, 1, -2, -1);
        if (m_pressed == arrow)
            indicator.rect.translate(1, 1);
        // An arrow that cannot step any further looks disabled, as on a scroll bar.
        if (atEnd || !isEnabled())
            indicator.state &= ~QStyle::State_Enabled;
        style()->drawPrimitive(arrow == Arrow::Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                               &indicator, &painter, this);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void LevelSpinner::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_pressed = arrowRect(Arrow::Up).contains(event->position().toPoint()) ? Arrow::Up : Arrow::Down;
    const SliderAction action = m_pressed == Arrow::Up ? SliderSingleStepAdd : SliderSingleStepSub;
    triggerAction(action);
    setRepeatAction(action, RepeatDelayMs, RepeatIntervalMs);
    update();
}

void LevelSpinner::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_pressed = Arrow::None;
    setRepeatAction(SliderNoAction);
    update();
}

void LevelSpinner::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QAbstractSlider::wheelEvent(event);
}

#pragma once

#include <QAbstractSlider>

// A small vertical scroll bar used as an up-down spinner: two arrow buttons
// and no thumb, so it stays usable at the 13 by 19 pixels the page gives it.
// The upper arrow and the Up key raise the value. The wheel steps it only
// while it has the focus: a wheel turn on its way past changes no level.
class LevelSpinner : public QAbstractSlider
{
    Q_OBJECT
public:
    explicit LevelSpinner(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    enum class Arrow
    {
        None,
        Up,
        Down,
    };
    QRect arrowRect(Arrow arrow) const;

    Arrow m_pressed = Arrow::None;
};

#pragma once

#include <QFrame>
#include <QIcon>

// A picture control: shows one icon, centred and at most the control's
// size, drawn for the pixel ratio of the screen it is painted on. Assistive
// technology sees a graphic with the control's accessible name.
class PictureBox : public QFrame
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QIcon& picture);
    QIcon picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon m_picture;
};

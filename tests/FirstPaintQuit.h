#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

// Ends the event loop once a window has been painted for the first time.
// The quit is queued, so the children painted in the same pass finish first.
// Shared by the start-up benchmarks, so that both measure the same moment.
class FirstPaintQuit : public QObject
{
public:
    explicit FirstPaintQuit(QWidget* window) : QObject(window) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};

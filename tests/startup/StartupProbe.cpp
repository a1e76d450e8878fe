// Linked into a program for scripts/bench.sh: marks the moment its first
// window is mapped (first exposed) and the moment that window has been
// painted, prints both on standard output as steady-clock nanoseconds, and
// ends the program. The program itself stays as it is: the probe hooks in
// when the application object is made.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

long long now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class StartupProbe : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(receiver);
            if (window && window->isExposed() && !window->parent()) {
                if (!m_first) {
                    m_first = window;
                    m_mapped = now();
                } else if (window != m_first) {
                    // A question at start-up would time a different start-up.
                    std::fprintf(stderr, "startup probe: a second window appeared: %s\n", qPrintable(window->title()));
                    std::fflush(stderr);
                    std::_Exit(3);
                }
            }
        } else if (event->type() == QEvent::Paint && m_mapped && !m_quitting) {
            auto* widget = qobject_cast<QWidget*>(receiver);
            if (widget && widget->isWindow() && widget->windowHandle() == m_first) {
                // Queued, so that the children painted in the same pass
                // finish first.
                m_quitting = true;
                QTimer::singleShot(0, this, [this] {
                    std::printf("mapped %lld painted %lld\n", m_mapped, now());
                    std::fflush(stdout);
                    QCoreApplication::quit();
                });
            }
        }
        return false;
    }

private:
    QPointer<QWindow> m_first;
    long long m_mapped = 0;
    bool m_quitting = false;
};

void installStartupProbe()
{
    QCoreApplication::instance()->installEventFilter(new StartupProbe(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installStartupProbe)

#include "LostFocusChecks.h"

#include <QApplication>
#include <QEvent>
#include <QScopeGuard>
#include <QWidget>

#include <utility>

LostFocusChecks::LostFocusChecks(QObject* parent) : QObject(parent)
{
    connect(qApp, &QApplication::focusChanged, this, &LostFocusChecks::onFocusChanged);
    qApp->installEventFilter(this);
}

void LostFocusChecks::watch(QWidget* field, std::function<void()> check)
{
    m_checks.insert(field, std::move(check));
    connect(field, &QObject::destroyed, this, [this, field] { m_checks.remove(field); });
}

void LostFocusChecks::returnFocus(QWidget* field)
{
    if (field == m_checking)
        m_failed = true;
    field->setFocus(Qt::OtherFocusReason);
}

bool LostFocusChecks::moveFocus(QWidget* to)
{
    m_kept = false;
    to->setFocus(Qt::MouseFocusReason);
    return !std::exchange(m_kept, false);
}

void LostFocusChecks::onFocusChanged(QWidget* old, QWidget* now)
{
    // The check's own message box and the focus coming back are no leaving.
    if (m_checking || !old || !now)
        return;

    if (!m_checks.contains(old) || now->window() != old->window() || QApplication::activeModalWidget())
        return;

    // Run now, inside the focus change: a click, wheel turn or key press that
    // moved the focus reaches its control only after the check, so the user's
    // actions are handled in the order they were made.
    m_checking = old;
    m_failed = false;
    const auto done = qScopeGuard([this] { m_checking = nullptr; });
    const std::function<void()> check = m_checks.value(old);
    check();
    if (!m_failed)
        return;
    m_kept = true;

    // The gesture that moved the focus is still on its way to the control
    // that was refused; none of it may act there. A right-click's context
    // menu follows its press (or, on Windows, its release) at once, and the
    // release may come later still.
    m_refused = now;
    holdUntilLoopTurns();
}

void LostFocusChecks::holdUntilLoopTurns()
{
    // Once the loop turns with every button up, the gesture is over. A
    // button held longer lets go in a release still to come, which holds
    // again. Only the last hold counts.
    const int awaited = ++m_holds;
    QMetaObject::invokeMethod(
        this,
        [this, awaited] {
            if (awaited == m_holds && QGuiApplication::mouseButtons() == Qt::NoButton)
                m_refused = nullptr;
        },
        Qt::QueuedConnection);
}

bool LostFocusChecks::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_refused)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        // Whatever it reaches: what the release brings with it (a context
        // menu, on Windows) comes before the loop turns again.
        holdUntilLoopTurns();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::ContextMenu:
    case QEvent::Wheel:
        break;
    default:
        return false;
    }
    auto* target = qobject_cast<QWidget*>(watched);
    return target && (target == m_refused || m_refused->isAncestorOf(target));
}

#include "LostFocusChecks.h"

#include <QApplication>
#include <QEvent>
#include <QMenuBar>
#include <QScopeGuard>
#include <QWidget>

#include <utility>

namespace {

bool isMenuBar(const QWidget* widget)
{
    return qobject_cast<const QMenuBar*>(widget) != nullptr;
}

} // namespace

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

bool LostFocusChecks::completeEdit(QWidget* field)
{
    if (!field || m_checking || !m_checks.contains(field))
        return true;
    m_checking = field;
    m_failed = false;
    const auto done = qScopeGuard([this] { m_checking = nullptr; });
    const std::function<void()> check = m_checks.value(field);
    check();
    return !m_failed;
}

QWidget* LostFocusChecks::workingControl(QWidget* focus) const
{
    return isMenuBar(focus) && m_beforeMenuBar ? m_beforeMenuBar.data() : focus;
}

void LostFocusChecks::onFocusChanged(QWidget* old, QWidget* now)
{
    // The check's own message box and the focus coming back are no leaving.
    if (m_checking || !old || !now)
        return;

    // The menu bar, worked from the keyboard, holds the focus for the field
    // it took it from and gives it back. Only going on from there to another
    // control of the window leaves that field.
    if (isMenuBar(now)) {
        if (now->window() == old->window() && !isMenuBar(old))
            m_beforeMenuBar = old;
        return;
    }
    if (isMenuBar(old)) {
        // A dialog opened from a menu: the field is still the one to return to.
        if (now->window() != old->window())
            return;
        old = std::exchange(m_beforeMenuBar, nullptr);
        if (!old || old == now)
            return;
    }

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

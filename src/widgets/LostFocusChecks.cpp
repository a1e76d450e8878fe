#include "LostFocusChecks.h"

#include <QApplication>
#include <QWidget>

LostFocusChecks::LostFocusChecks(QObject* parent) : QObject(parent)
{
    connect(qApp, &QApplication::focusChanged, this, &LostFocusChecks::onFocusChanged);
}

void LostFocusChecks::watch(QWidget* field, std::function<void()> check)
{
    m_checks.insert(field, std::move(check));
    connect(field, &QObject::destroyed, this, [this, field] { m_checks.remove(field); });
}

void LostFocusChecks::returnFocus(QWidget* field)
{
    m_returnTarget = field;
    field->setFocus(Qt::OtherFocusReason);
}

void LostFocusChecks::onFocusChanged(QWidget* old, QWidget* now)
{
    if (now && now == m_returnTarget) {
        // The focus coming back after a failed check: nothing was left.
        m_returnTarget = nullptr;
        return;
    }
    if (!old || !now || !m_checks.contains(old))
        return;
    if (now->window() != old->window() || QApplication::activeModalWidget())
        return;
    // The check may open a message box; let Qt finish the focus change first.
    QPointer<QWidget> field(old);
    QMetaObject::invokeMethod(
        this,
        [this, field] {
            if (field && m_checks.contains(field))
                m_checks.value(field)();
        },
        Qt::QueuedConnection);
}

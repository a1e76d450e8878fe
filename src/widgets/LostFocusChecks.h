#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

// Runs a field's check when the keyboard focus moves from the field to
// another control of the same window (Tab, Shift+Tab, a click). A message box,
// dialog or other window taking the focus does not count, and moving the
// focus back to a field after its check failed never raises another check,
// so checks cannot chase each other.
class LostFocusChecks : public QObject
{
    Q_OBJECT
public:
    explicit LostFocusChecks(QObject* parent = nullptr);

    void watch(QWidget* field, std::function<void()> check);

    // Puts the focus back into a field whose check failed.
    void returnFocus(QWidget* field);

private:
    void onFocusChanged(QWidget* old, QWidget* now);

    QHash<QWidget*, std::function<void()>> m_checks;
    QPointer<QWidget> m_returnTarget;
};

#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

// Runs a field's check when the keyboard focus moves from the field to
// another control of the same window (Tab, Shift+Tab, a click), at once and
// before the control taking the focus sees the click that brought it there.
// A message box, dialog or other window taking the focus does not count, and
// neither does the menu bar: worked from the keyboard (Alt, F10, a menu's
// access key) it holds the focus only until a menu is done with, as a click
// on a menu takes none; going on from the menu bar to another control leaves
// the field it came from.
// A check that fails puts the focus back into its field, and the control
// that was to take the focus gets nothing of the gesture that moved it there:
// no press, release, double-click, move, context menu or wheel turn, until
// every mouse button is up and the event loop has turned. Keys go to the
// field, which has the focus again. While a check runs, focus moves (its own
// message box, the focus coming back) raise no other check, so checks cannot
// chase each other, and nothing of a check outlives it.
class LostFocusChecks : public QObject
{
    Q_OBJECT
public:
    explicit LostFocusChecks(QObject* parent = nullptr);

    void watch(QWidget* field, std::function<void()> check);

    // Puts the focus back into a field whose check failed.
    void returnFocus(QWidget* field);

    // Moves the focus to `to` as a click on it would, running the check of
    // the field that loses it. Returns false when that check failed and kept
    // the focus in its field.
    bool moveFocus(QWidget* to);

    // Runs the check of the field the user works in, as leaving it would,
    // while the focus stays where it is: a command that is about to act on
    // the field's text (Save, from a toolbar button that takes no focus)
    // acts on text the check has seen. Returns false when the check failed;
    // its message has been shown and the focus is in the field.
    bool completeEdit(QWidget* field);

    // The control the user works in while `focus` has the focus: that one,
    // or for the menu bar, holding the focus for the keyboard, the control it
    // took it from.
    QWidget* workingControl(QWidget* focus) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onFocusChanged(QWidget* old, QWidget* now);
    // Keeps the refused control refused until the event loop turns.
    void holdUntilLoopTurns();

    QHash<QWidget*, std::function<void()>> m_checks;
    // The field whose check is running, and whether it failed.
    QWidget* m_checking = nullptr;
    bool m_failed = false;
    // Whether a check kept the focus during moveFocus.
    bool m_kept = false;
    // The control that was refused the focus, while the gesture that tried
    // to give it the focus goes on, and a count of the holds on it.
    QPointer<QWidget> m_refused;
    int m_holds = 0;
    // The control that had the focus when the menu bar took it.
    QPointer<QWidget> m_beforeMenuBar;
};

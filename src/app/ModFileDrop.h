#pragma once

#include <QObject>

#include <functional>

class QMimeData;
class QWidget;

// Lets a mod file dragged from a file manager be dropped anywhere on a
// window, its text boxes included: one local file ending in ".int" is taken
// and handed to the open function; any other file is refused, so the drag
// cursor shows it cannot be dropped. Plain text dragged onto a text box stays
// the text box's business.
class ModFileDrop : public QObject
{
    Q_OBJECT
public:
    // Watches the window and its widgets that take drops; call it once the
    // window's widgets are built.
    ModFileDrop(QWidget* window, std::function<void(const QString&)> open);

    // Watches the widgets below root that take drops, for widgets built after
    // the window. Watching one twice does no harm.
    void watch(QWidget* root);

    // The mod file a drag carries, or empty when it carries anything else.
    static QString droppedModFile(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> m_open;
};

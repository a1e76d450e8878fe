#include "ModalInteraction.h"

#include "FolderDialog.h"
#include "MessageBox.h"
#include "SaveDialog.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QOperatingSystemVersion>
#include <QProcess>
#include <QTimer>
#include <QWindow>

namespace {

// A window just shown is not on the screen until the window manager has
// placed and mapped it; a box opened before that cannot be centred on it and
// lands in a corner of the screen. Waits for that moment (input is held back
// meanwhile), or for a few seconds where it never comes.
void waitUntilOnScreen(QWidget* parent)
{
    QWidget* window = parent ? parent->window() : nullptr;
    if (!window || !window->isVisible())
        return;
    QWindow* handle = window->windowHandle();
    if (!handle || handle->isExposed())
        return;
    QEventLoop loop;
    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, handle] {
        if (handle->isExposed())
            loop.quit();
    });
    poll.start(10);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

void setUpOpenDialog(QFileDialog& dialog, const QString& initialDir, const QStringList& filters)
{
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(initialDir);
    if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows) {
        dialog.setNameFilters(filters);
        return;
    }
    // Each filter gets its patterns once more at its end: the dialog shows the
    // caption without that part and filters by it.
    QStringList adapted;
    for (const QString& filter : filters) {
        QStringList patterns = filterPatterns(filter).value_or(QStringList());
        for (QString& pattern : patterns) {
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        adapted << (patterns.isEmpty() ? filter : filter + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(adapted);
}

Result<> startDetached(const ModalInteraction::ProgramStart& start)
{
    QProcess process;
    process.setProgram(start.program);
    process.setArguments(start.arguments);
    process.setWorkingDirectory(start.workingDirectory);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (auto it = start.environment.cbegin(); it != start.environment.cend(); ++it)
        environment.insert(it.key(), it.value());
    process.setProcessEnvironment(environment);
    // The program's output would otherwise go to wherever this one's goes,
    // a terminal long closed perhaps.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (!process.startDetached())
        return Failure{process.errorString()};
    return {};
}

ModalInteraction::Answer QtModalInteraction::message(QWidget* parent, const QString& text, Icon icon, Buttons buttons)
{
    MessageBox box(text, icon, buttons, parent);
    waitUntilOnScreen(parent);
    box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return box.answeredYes() ? Answer::Yes : Answer::No;
}

QString QtModalInteraction::openFileName(QWidget* parent, const QString& title, const QString& initialDir,
                                         const QStringList& filters)
{
    QFileDialog dialog(parent, title);
    setUpOpenDialog(dialog, initialDir, filters);
    waitUntilOnScreen(parent);
    return chosenFile(dialog);
}

Result<QString> QtModalInteraction::saveFileName(QWidget* parent, const QString& initialDir, const QStringList& filters)
{
    // No default suffix: a name typed without ".int" is used as typed.
    waitUntilOnScreen(parent);
    if (const std::optional<QString> problem = saveFolderProblem(initialDir))
        tell(parent, saveFolderNotShownMessage(initialDir, *problem), Icon::Exclamation);
    return askSaveFileName(parent, initialDir, filters);
}

Result<QString> QtModalInteraction::existingDirectory(QWidget* parent, const QString& prompt)
{
    waitUntilOnScreen(parent);
    return askFolder(parent, prompt);
}

bool QtModalInteraction::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

Result<> QtModalInteraction::startProgram(const ProgramStart& start)
{
    return startDetached(start);
}

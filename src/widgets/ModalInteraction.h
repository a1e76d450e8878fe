#pragma once

#include "ApplicationTitle.h"
#include "core/Result.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

// Every modal exchange with the user goes through this interface: the program
// gets the real one, tests a scripted one that answers without blocking and
// records what was asked.
class ModalInteraction
{
public:
    enum class Icon
    {
        None,
        Information,
        Question,
        Exclamation,
        Critical,
    };
    enum class Buttons
    {
        Ok,
        YesNo,
    };
    enum class Answer
    {
        Ok,
        Yes,
        No,
    };

    virtual ~ModalInteraction() = default;

    // A message box titled with the application title.
    virtual Answer message(QWidget* parent, const QString& text, Icon icon, Buttons buttons) = 0;

    // Open and save dialogs; the empty text when the user cancels. Filters
    // are Qt name filters such as "Deus Ex Maps (*.dx)". An open dialog is
    // titled with what it opens. A save dialog the system could not show
    // fails with the message for the user, which the caller shows.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& initialDir,
                                 const QStringList& filters) = 0;
    [[nodiscard]] virtual Result<QString> saveFileName(QWidget* parent, const QString& initialDir,
                                                       const QStringList& filters) = 0;

    // A folder dialog with a prompt, which is its title (and its text where
    // the dialog has one), opening at the user's home folder; the empty text
    // when the user cancels. Fails, as the save dialog does, when the system
    // could not show it.
    [[nodiscard]] virtual Result<QString> existingDirectory(QWidget* parent, const QString& prompt) = 0;

    // Opens a document or address with the desktop's handler for it.
    virtual bool openUrl(const QUrl& url) = 0;

    // Starts a program detached from this one, so that it runs on when this
    // one ends, with the variables given set on top of this program's
    // environment. Fails with the reason when it could not be started at
    // all; what the program does once running is its own affair.
    struct ProgramStart
    {
        QString program;
        QStringList arguments;
        QMap<QString, QString> environment;
        QString workingDirectory;
    };
    [[nodiscard]] virtual Result<> startProgram(const ProgramStart& start) = 0;

    // Shorthands for the common cases.
    void tell(QWidget* parent, const QString& text, Icon icon) { message(parent, text, icon, Buttons::Ok); }
    bool askYesNo(QWidget* parent, const QString& text)
    {
        return message(parent, text, Icon::Question, Buttons::YesNo) == Answer::Yes;
    }
};

class QFileDialog;

// Sets up an open dialog with its initial directory and name filters. "*.*"
// is how Windows says every file; elsewhere it would hide names without a
// dot, so there the pattern becomes "*" while the caption shows what it says.
void setUpOpenDialog(QFileDialog& dialog, const QString& initialDir, const QStringList& filters);

// Starts the program as startProgram says, for real.
[[nodiscard]] Result<> startDetached(const ModalInteraction::ProgramStart& start);

// The desktop's own dialogs. Each waits until its owner window is on the
// screen, so that it opens centred over it.
class QtModalInteraction : public ModalInteraction
{
public:
    Answer message(QWidget* parent, const QString& text, Icon icon, Buttons buttons) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& initialDir,
                         const QStringList& filters) override;
    Result<QString> saveFileName(QWidget* parent, const QString& initialDir, const QStringList& filters) override;
    Result<QString> existingDirectory(QWidget* parent, const QString& prompt) override;
    bool openUrl(const QUrl& url) override;
    Result<> startProgram(const ProgramStart& start) override;
};

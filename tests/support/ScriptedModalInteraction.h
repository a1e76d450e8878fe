#pragma once

#include "widgets/ModalInteraction.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// Answers the program's dialogs from a script and records what was asked, so
// that no test ever waits for a person.
class ScriptedModalInteraction : public ModalInteraction
{
public:
    struct Asked
    {
        enum class Kind
        {
            Message,
            OpenFile,
            SaveFile,
            Folder,
            Url,
            Program,
        };
        Kind kind;
        QString text; // message text (as read: without the marks around paths) or folder prompt
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        QString initialDir;
        QStringList filters;
        QUrl url;
        QString markedText; // a message's text as the program gave it
        QString title;      // a dialog's title
        ProgramStart program;
    };

    // Answers to Yes/No questions, in order; an unscripted question gets No.
    QList<Answer> answers;
    // Answers to file and folder dialogs, in order: a path, the empty text
    // for Cancel, or Failure{message} for a save or folder dialog the system
    // could not show; unscripted means Cancel.
    QList<Result<QString>> dialogAnswers;
    bool openUrlResult = true;
    // Programs are only recorded unless told to start them for real.
    bool runPrograms = false;

    QList<Asked> asked;

    // Texts of the message boxes shown so far.
    QStringList messages() const;
    QList<Asked> ofKind(Asked::Kind kind) const;
    void clear() { asked.clear(); }

    Answer message(QWidget* parent, const QString& text, Icon icon, Buttons buttons) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& initialDir,
                         const QStringList& filters) override;
    Result<QString> saveFileName(QWidget* parent, const QString& initialDir, const QStringList& filters) override;
    Result<QString> existingDirectory(QWidget* parent, const QString& prompt) override;
    bool openUrl(const QUrl& url) override;
    Result<> startProgram(const ProgramStart& start) override;

private:
    Result<QString> nextDialogAnswer();
};

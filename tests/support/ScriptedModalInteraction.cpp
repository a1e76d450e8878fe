#include "ScriptedModalInteraction.h"

#include "widgets/MessageText.h"

QStringList ScriptedModalInteraction::messages() const
{
    QStringList texts;
    for (const Asked& a : asked) {
        if (a.kind == Asked::Kind::Message)
            texts.append(a.text);
    }
    return texts;
}

QList<ScriptedModalInteraction::Asked> ScriptedModalInteraction::ofKind(Asked::Kind kind) const
{
    QList<Asked> result;
    for (const Asked& a : asked) {
        if (a.kind == kind)
            result.append(a);
    }
    return result;
}

ModalInteraction::Answer ScriptedModalInteraction::message(QWidget*, const QString& text, Icon icon, Buttons buttons)
{
    asked.append({Asked::Kind::Message, withoutPathMarks(text), icon, buttons, {}, {}, {}, text, {}, {}});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return answers.isEmpty() ? Answer::No : answers.takeFirst();
}

Result<QString> ScriptedModalInteraction::nextDialogAnswer()
{
    if (dialogAnswers.isEmpty())
        return QString();
    return dialogAnswers.takeFirst();
}

QString ScriptedModalInteraction::openFileName(QWidget*, const QString& title, const QString& initialDir,
                                               const QStringList& filters)
{
    asked.append({Asked::Kind::OpenFile, {}, Icon::None, Buttons::Ok, initialDir, filters, {}, {}, title, {}});
    const Result<QString> answer = nextDialogAnswer();
    // Qt's open dialog has no failure to report.
    if (!answer.ok())
        qFatal("A failure was scripted for an open dialog, which cannot fail");
    return answer.value();
}

Result<QString> ScriptedModalInteraction::saveFileName(QWidget*, const QString& initialDir, const QStringList& filters)
{
    asked.append({Asked::Kind::SaveFile, {}, Icon::None, Buttons::Ok, initialDir, filters, {}, {}, {}, {}});
    return nextDialogAnswer();
}

Result<QString> ScriptedModalInteraction::existingDirectory(QWidget*, const QString& prompt)
{
    asked.append({Asked::Kind::Folder, prompt, Icon::None, Buttons::Ok, {}, {}, {}, {}, prompt, {}});
    return nextDialogAnswer();
}

bool ScriptedModalInteraction::openUrl(const QUrl& url)
{
    asked.append({Asked::Kind::Url, {}, Icon::None, Buttons::Ok, {}, {}, url, {}, {}, {}});
    return openUrlResult;
}

Result<> ScriptedModalInteraction::startProgram(const ProgramStart& start)
{
    Asked program{Asked::Kind::Program, {}, Icon::None, Buttons::Ok, {}, {}, {}, {}, {}, {}};
    program.program = start;
    asked.append(program);
    return runPrograms ? startDetached(start) : Result<>();
}

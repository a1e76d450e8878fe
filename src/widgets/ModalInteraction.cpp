#include "ModalInteraction.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon toQt(ModalInteraction::Icon icon)
{
    switch (icon) {
    case ModalInteraction::Icon::Information:
        return QMessageBox::Information;
    case ModalInteraction::Icon::Question:
        return QMessageBox::Question;
    case ModalInteraction::Icon::Exclamation:
        return QMessageBox::Warning;
    case ModalInteraction::Icon::Critical:
        return QMessageBox::Critical;
    case ModalInteraction::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

ModalInteraction::Answer QtModalInteraction::message(QWidget* parent, const QString& text, Icon icon, Buttons buttons)
{
    QMessageBox box(toQt(icon), QString::fromLatin1(ApplicationTitle), text,
                    buttons == Buttons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    const int result = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtModalInteraction::openFileName(QWidget* parent, const QString& initialDir, const QStringList& filters)
{
    const QString chosen = QFileDialog::getOpenFileName(parent, QString(), initialDir, filters.join(u";;"));
    return QDir::toNativeSeparators(chosen);
}

QString QtModalInteraction::saveFileName(QWidget* parent, const QString& initialDir, const QStringList& filters)
{
    // No default suffix: a name typed without ".int" is used as typed.
    QFileDialog dialog(parent, QString(), initialDir);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

QString QtModalInteraction::existingDirectory(QWidget* parent, const QString& prompt)
{
    const QString chosen = QFileDialog::getExistingDirectory(parent, prompt);
    return QDir::toNativeSeparators(chosen);
}

bool QtModalInteraction::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

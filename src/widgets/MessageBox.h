#pragma once

#include "MessageText.h"
#include "ModalInteraction.h"

#include <QDialog>
#include <QLabel>

class QAbstractButton;
class QDialogButtonBox;

// The text of a message box: the message as written, which is what the
// label's text, a screen reader and a copy give, shown in the lines that
// LayOutMessage breaks it into, so that a long path is broken after a
// separator without a character being added to the text.
class MessageLabel : public QLabel
{
public:
    // Lays the marked text out to at most maxWidth pixels a line.
    MessageLabel(const QString& markedText, int maxWidth, QWidget* parent = nullptr);

    // The lines as shown.
    QStringList shownLines() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void layOut();

    QString m_marked;
    int m_maxWidth;
    MessageLines m_lines;
    QSize m_size;
};

// A message box titled with the application title: an icon, the message and
// OK, or Yes and No. Ctrl+C copies the whole box as text, as the desktop's
// own message boxes do.
class MessageBox : public QDialog
{
public:
    using Icon = ModalInteraction::Icon;
    using Buttons = ModalInteraction::Buttons;

    MessageBox(const QString& markedText, Icon icon, Buttons buttons, QWidget* parent = nullptr);

    MessageLabel* label() const { return m_label; }
    // Whether Yes was chosen (OK counts as Yes).
    bool answeredYes() const { return m_yes; }
    // The box as text, as Ctrl+C copies it.
    QString asText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    MessageLabel* m_label = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    bool m_yes = false;
};

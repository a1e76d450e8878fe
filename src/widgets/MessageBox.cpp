#include "MessageBox.h"

#include "ApplicationTitle.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace {

// The width up to which a message box grows before it breaks its lines.
constexpr int MessageBoxWidthLimit = 500;

QStyle::StandardPixmap iconPixmap(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Icon::Information:
        return QStyle::SP_MessageBoxInformation;
    case MessageBox::Icon::Question:
        return QStyle::SP_MessageBoxQuestion;
    case MessageBox::Icon::Exclamation:
        return QStyle::SP_MessageBoxWarning;
    case MessageBox::Icon::Critical:
        return QStyle::SP_MessageBoxCritical;
    case MessageBox::Icon::None:
        break;
    }
    return QStyle::SP_CustomBase;
}

} // namespace

MessageLabel::MessageLabel(const QString& markedText, int maxWidth, QWidget* parent)
    : QLabel(parent), m_marked(markedText), m_maxWidth(std::max(maxWidth, 1))
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layOut();
}

void MessageLabel::layOut()
{
    m_lines = layOutMessage(m_marked, fontMetrics(), m_maxWidth);
    // The label's own text is the message as written; only the painting
    // below knows where its lines break.
    setText(m_lines.text);
    const QFontMetrics metrics = fontMetrics();
    int width = 1;
    for (qsizetype i = 0; i < m_lines.lines.size(); ++i)
        width = std::max(width, metrics.horizontalAdvance(m_lines.line(i)));
    const int lineCount = int(m_lines.lines.size());
    m_size = QSize(width + 1, lineCount * metrics.lineSpacing() - metrics.leading());
    setFixedSize(m_size);
    updateGeometry();
    update();
}

QStringList MessageLabel::shownLines() const
{
    QStringList lines;
    for (qsizetype i = 0; i < m_lines.lines.size(); ++i)
        lines << m_lines.line(i);
    return lines;
}

QSize MessageLabel::sizeHint() const
{
    return m_size;
}

QSize MessageLabel::minimumSizeHint() const
{
    return m_size;
}

void MessageLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const QFontMetrics metrics = fontMetrics();
    int baseline = metrics.ascent();
    for (qsizetype i = 0; i < m_lines.lines.size(); ++i) {
        painter.drawText(QPoint(0, baseline), m_lines.line(i));
        baseline += metrics.lineSpacing();
    }
}

void MessageLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        layOut();
}

MessageBox::MessageBox(const QString& markedText, Icon icon, Buttons buttons, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromLatin1(ApplicationTitle));
    // A title and a close box, nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    int textColumn = 0;
    int iconWidth = 0;
    if (icon != Icon::None) {
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        auto* iconLabel = new QLabel(this);
        iconLabel->setPixmap(style()->standardIcon(iconPixmap(icon), nullptr, this).pixmap(size, size));
        iconLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(iconLabel, 0, 0, Qt::AlignTop);
        iconWidth = size + grid->horizontalSpacing();
        textColumn = 1;
    }

    // The box grows up to its limit (half the screen where that is less),
    // and the text takes what its margins and the icon leave.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int limit =
        std::min(screen ? screen->availableGeometry().width() / 2 : MessageBoxWidthLimit, MessageBoxWidthLimit);
    const QMargins margins = grid->contentsMargins();
    m_label = new MessageLabel(markedText, limit - margins.left() - margins.right() - iconWidth, this);
    grid->addWidget(m_label, 0, textColumn);

    m_buttons = new QDialogButtonBox(
        buttons == Buttons::YesNo ? (QDialogButtonBox::Yes | QDialogButtonBox::No) : QDialogButtonBox::Ok, this);
    m_buttons->setCenterButtons(style()->styleHint(QStyle::SH_MessageBox_CenterButtons, nullptr, this));
    grid->addWidget(m_buttons, 1, 0, 1, textColumn + 1);
    // Yes or OK is the default button and has the focus, as in the desktop's boxes.
    if (QPushButton* first =
            m_buttons->button(buttons == Buttons::YesNo ? QDialogButtonBox::Yes : QDialogButtonBox::Ok)) {
        first->setDefault(true);
        first->setFocus();
    }
    connect(m_buttons, &QDialogButtonBox::clicked, this, [this](QAbstractButton* button) {
        const QDialogButtonBox::StandardButton which = m_buttons->standardButton(button);
        m_yes = which == QDialogButtonBox::Yes || which == QDialogButtonBox::Ok;
        done(m_yes ? Accepted : Rejected);
    });
    // Closed by its close box or Escape: No, or for OK alone, OK.
    connect(this, &QDialog::rejected, this, [this, buttons] { m_yes = m_yes || buttons == Buttons::Ok; });
    setAccessibleDescription(m_label->text());
}

QString MessageBox::asText() const
{
    const QString rule = QStringLiteral("---------------------------\n");
    QStringList captions;
    for (QAbstractButton* button : m_buttons->buttons())
        captions << button->text().remove(u'&');
    return rule + QString::fromLatin1(ApplicationTitle) + u'\n' + rule + m_label->text() + u'\n' + rule +
           captions.join(QStringLiteral("   ")) + u'\n' + rule;
}

void MessageBox::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Copy) {
        QGuiApplication::clipboard()->setText(asText());
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MessageBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Screen readers read a box that comes up as an alert.
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

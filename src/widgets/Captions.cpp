#include "Captions.h"

#include <QAbstractButton>
#include <QLabel>

#include <algorithm>
#include <climits>

namespace {

// How close a caption's letters may be set, in percent of their advance.
constexpr int TightestSpacing = 80;
constexpr int SpacingStep = 2;

bool isCaption(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return !label->text().isEmpty() && !label->wordWrap();
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    return button && button->isCheckable() && !button->text().isEmpty();
}

// The left edge of the nearest control to the caption's right that shares
// its row, or the parent's right edge.
int rightLimit(const QWidget* caption)
{
    const QWidget* parent = caption->parentWidget();
    if (!parent)
        return NoLimit;
    const QRect c = caption->geometry();
    int right = parent->width();
    for (const QObject* object : parent->children()) {
        const auto* sibling = qobject_cast<const QWidget*>(object);
        if (!sibling || sibling == caption || sibling->isWindow())
            continue;
        const QRect s = sibling->geometry();
        if (s.left() > c.left() && s.top() <= c.bottom() && s.bottom() >= c.top())
            right = std::min(right, s.left());
    }
    return right;
}

} // namespace

int captionWidth(const QWidget* caption)
{
    // A label's and a check box's size hint hold the text's advance and what
    // the control draws around it; the last glyph's smoothed edge may reach a
    // pixel past its advance.
    return caption->sizeHint().width() + 1;
}

void fitCaption(QWidget* caption, int right)
{
    const int room = right == NoLimit ? INT_MAX : right - CaptionGap - caption->x();
    const int needed = captionWidth(caption);
    if (needed > caption->width())
        caption->resize(std::min(needed, room), caption->height());
    // Narrower by setting the letters closer rather than by a condensed face:
    // the same face at the same size is the same font to the system, whose
    // glyphs the other captions have already drawn.
    QFont narrower = caption->font();
    for (int spacing = 100 - SpacingStep; captionWidth(caption) > room && spacing >= TightestSpacing;
         spacing -= SpacingStep) {
        narrower.setLetterSpacing(QFont::PercentageSpacing, spacing);
        caption->setFont(narrower);
    }
}

void fitCaptions(QWidget* root)
{
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (isCaption(w))
            fitCaption(w, rightLimit(w));
    }
}

void breakCaptionAfter(QLabel* caption, const QString& firstLine)
{
    const QString text = caption->text();
    qsizetype nextWordEnd = text.indexOf(u' ', firstLine.size() + 1);
    if (nextWordEnd < 0)
        nextWordEnd = text.size();
    const QFontMetrics metrics = caption->fontMetrics();
    const int fits = metrics.horizontalAdvance(firstLine) + 2;
    if (caption->width() < fits || caption->width() >= metrics.horizontalAdvance(text.left(nextWordEnd)))
        caption->resize(fits, caption->height());
}

void flowCaptions(const QLabel* lead, const QString& leadLine, std::initializer_list<QLabel*> pieces)
{
    QFontMetrics metrics = lead->fontMetrics();
    int textRight = lead->x() + metrics.horizontalAdvance(leadLine);
    QLabel* previous = nullptr;
    for (QLabel* piece : pieces) {
        QRect g = piece->geometry();
        g.moveLeft(textRight + metrics.horizontalAdvance(u' '));
        g.setWidth(std::max(g.width(), captionWidth(piece)));
        piece->setGeometry(g);
        if (previous && previous->geometry().right() >= g.left())
            previous->resize(g.left() - previous->x(), previous->height());
        metrics = piece->fontMetrics();
        textRight = g.left() + metrics.horizontalAdvance(piece->text());
        previous = piece;
    }
}

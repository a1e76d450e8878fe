#include "Captions.h"

#include <QAbstractButton>
#include <QLabel>

#include <algorithm>
#include <climits>

namespace {

// How far a caption's face may be narrowed, in percent of its width.
constexpr int NarrowestStretch = 60;
constexpr int StretchStep = 5;

bool IsCaption(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return !label->text().isEmpty() && !label->wordWrap();
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    return button && button->isCheckable() && !button->text().isEmpty();
}

// The left edge of the nearest control to the caption's right that shares
// its row, or the parent's right edge.
int RightLimit(const QWidget* caption)
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

int CaptionWidth(const QWidget* caption)
{
    // A label's and a check box's size hint hold the text's advance and what
    // the control draws around it; the last glyph's smoothed edge may reach a
    // pixel past its advance.
    return caption->sizeHint().width() + 1;
}

void FitCaption(QWidget* caption, int right)
{
    const int room = right == NoLimit ? INT_MAX : right - CaptionGap - caption->x();
    const int needed = CaptionWidth(caption);
    if (needed > caption->width())
        caption->resize(std::min(needed, room), caption->height());
    QFont narrower = caption->font();
    for (int stretch = QFont::Unstretched - StretchStep; CaptionWidth(caption) > room && stretch >= NarrowestStretch;
         stretch -= StretchStep) {
        narrower.setStretch(stretch);
        caption->setFont(narrower);
    }
}

void FitCaptions(QWidget* root)
{
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (IsCaption(w))
            FitCaption(w, RightLimit(w));
    }
}

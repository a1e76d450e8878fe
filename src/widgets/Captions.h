#pragma once

class QWidget;

// The design's captions were measured in a narrow face that few desktops
// have; in another face, or drawn at another scale, a caption may need more
// room than the design gives it. Every window fits its captions this one way.

// The room kept between a caption's text and the control to its right, so
// that the text never touches that control's border.
inline constexpr int CaptionGap = 4;

// No control follows the caption on its row.
inline constexpr int NoLimit = -1;

// The width a caption (a label or a check box) needs to show its text whole.
int CaptionWidth(const QWidget* caption);

// Widens a caption to the width its text needs, short of `right` (the left
// edge, in the caption's parent, of the control that follows it on its row)
// by CaptionGap. A text that still does not fit is drawn in a narrower face
// rather than cut off or run into that control.
void FitCaption(QWidget* caption, int right = NoLimit);

// Fits every caption below root, each up to the next control on its row or
// else its parent's edge. Pictures (labels without text) are left alone.
void FitCaptions(QWidget* root);

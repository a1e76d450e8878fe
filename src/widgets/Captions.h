#pragma once

#include <QString>

#include <initializer_list>

class QLabel;
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
int captionWidth(const QWidget* caption);

// Widens a caption to the width its text needs, short of `right` (the left
// edge, in the caption's parent, of the control that follows it on its row)
// by CaptionGap. A text that still does not fit is drawn in a narrower face
// rather than cut off or run into that control.
void fitCaption(QWidget* caption, int right = NoLimit);

// Fits every caption below root, each up to the next control on its row or
// else its parent's edge. Pictures (labels without text) are left alone.
void fitCaptions(QWidget* root);

// A wrapped caption whose first line must end after firstLine, where the
// design breaks it: narrowed or widened to that line when its width would
// break it elsewhere.
void breakCaptionAfter(QLabel* caption, const QString& firstLine);

// A sentence set as a row of captions, some of them links: the pieces go on
// from the line of lead that ends in leadLine. Each piece starts one space
// after the text before it ends, wherever the design placed it, so that the
// row reads as one sentence in any face, and shows its text whole; a piece
// reaching over the next is cut back, so that it does not take the mouse
// from it.
void flowCaptions(const QLabel* lead, const QString& leadLine, std::initializer_list<QLabel*> pieces);

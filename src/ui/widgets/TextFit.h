#pragma once

class QWidget;

namespace qx {

// Gives a one-line control the width its text needs, without going past
// maxWidth. A text that still does not fit is drawn condensed until it does,
// so that no text is ever cut off. The font size and height stay as they are.
void fitTextWidth(QWidget *control, int maxWidth);

} // namespace qx

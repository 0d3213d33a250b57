#include "ui/widgets/TextFit.h"

#include <QFont>
#include <QWidget>

#include <algorithm>

namespace qx {

void fitTextWidth(QWidget *control, int maxWidth)
{
    const int needed = control->sizeHint().width();
    control->resize(std::min(std::max(needed, control->width()), maxWidth), control->height());
    if (needed <= maxWidth)
        return;
    // Narrow the letters one percent at a time; half width is the limit.
    QFont font = control->font();
    for (int stretch = 99; stretch >= 50 && control->sizeHint().width() > maxWidth; --stretch) {
        font.setStretch(stretch);
        control->setFont(font);
    }
}

} // namespace qx

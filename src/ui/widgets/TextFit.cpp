#include "ui/widgets/TextFit.h"

#include <QFont>
#include <QWidget>

#include <algorithm>

namespace qx {

namespace {

// Letters are narrowed in whole percents, down to half their width.
constexpr int WidestCondensed = 99;
constexpr int NarrowestCondensed = 50;

} // namespace

void fitTextWidth(QWidget *control, int maxWidth)
{
    const int needed = control->sizeHint().width();
    control->resize(std::min(std::max(needed, control->width()), maxWidth), control->height());
    if (needed <= maxWidth)
        return;

    // The widest letters at which the text fits. Each stretch tried loads a
    // font of its own, so the search starts where the width, which shrinks
    // about in proportion, says the answer lies, and goes from there one
    // percent at a time.
    QFont font = control->font();
    const auto fitsAt = [&](int stretch) {
        font.setStretch(stretch);
        control->setFont(font);
        return control->sizeHint().width() <= maxWidth;
    };
    int stretch = std::clamp(100 * maxWidth / needed, NarrowestCondensed, WidestCondensed);
    if (fitsAt(stretch)) {
        while (stretch < WidestCondensed && fitsAt(stretch + 1))
            ++stretch;
    } else {
        while (stretch > NarrowestCondensed && !fitsAt(--stretch)) {}
    }
    font.setStretch(stretch);
    control->setFont(font);
}

} // namespace qx

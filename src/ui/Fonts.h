#pragma once

#include <QtGlobal>

class QWidget;

namespace qx {

// The windows ask for Verdana and MS Sans Serif; where those are missing,
// Qt draws DejaVu Sans in their place.
void installFontSubstitutes();

// Gives a control its font at a size that a form file cannot hold: Designer
// keeps whole points only, the forms use 8.25, 9.75 and 14.25 points.
void setPointSize(QWidget *widget, qreal points);

} // namespace qx

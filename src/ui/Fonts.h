#pragma once

#include <QString>

class QWidget;

namespace qx {

// The windows ask for Verdana and MS Sans Serif; where those are missing,
// Qt draws DejaVu Sans in their place.
void installFontSubstitutes();

// The family of the forms' text: Verdana where it is installed, otherwise
// DejaVu Sans, named as the font database names it, so that Qt resolves it
// at once and shares what it finds with the application's default font.
QString formFamily();

// Gives a control its font at a size that a form file cannot hold: Designer
// keeps whole points only, the forms use 8.25, 9.75 and 14.25 points.
void setPointSize(QWidget *widget, qreal points);

} // namespace qx

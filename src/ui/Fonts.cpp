#include "ui/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QWidget>

namespace qx {

namespace {

const QString Verdana = QStringLiteral("Verdana");
const QString Substitute = QStringLiteral("DejaVu Sans");

} // namespace

void installFontSubstitutes()
{
    QFont::insertSubstitution(Verdana, Substitute);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), Substitute);
}

QString formFamily()
{
    static const QString family = QFontDatabase::hasFamily(Verdana) ? Verdana : Substitute;
    return family;
}

void setPointSize(QWidget *widget, qreal points)
{
    QFont font = widget->font();
    font.setPointSizeF(points);
    widget->setFont(font);
}

} // namespace qx

#include "ui/DesktopApplication.h"

#include "core/ProgramInfo.h"
#include "ui/Fonts.h"
#include "ui/ProgramIcon.h"

#include <QApplication>

namespace qx {

void setUpDesktopApplication()
{
    installFontSubstitutes();
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(desktopFileName());
}

} // namespace qx

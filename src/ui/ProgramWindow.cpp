#include "ui/ProgramWindow.h"

#include "core/modHelp.h"
#include "core/ProgramInfo.h"
#include "ui/Fonts.h"
#include "ui/Forms.h"
#include "ui/FrmAbout.h"
#include "ui/FrmNagScreen2.h"
#include "ui/StartupForm.h"
#include "ui/widgets/WindowCentring.h"

#include <QCloseEvent>
#include <QMenuBar>

namespace qx {

ProgramWindow::ProgramWindow(QWidget *parent)
    : QMainWindow(parent)
{
    // Verdana 8.25 pt. Form files hold whole points only, so the window takes
    // it here, before its controls are created, which then take their size
    // from it.
    QFont font(formFamily());
    font.setPointSizeF(8.25);
    setFont(font);
}

void ProgramWindow::setUpFixedWindow(QSize clientSize)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::CustomizeWindowHint);
    setWindowTitle(windowCaption());
    const int menuHeight = menuBar()->heightForWidth(clientSize.width());
    setFixedSize(clientSize.width(), clientSize.height() + qMax(menuHeight, 0));
    centreWhenShown(this);
}

void ProgramWindow::cmdExit_Click()
{
    close();
}

void ProgramWindow::mnuExit_Click()
{
    cmdExit_Click();
}

void ProgramWindow::mnuOnline_Click()
{
    OpenHelpPage();
}

void ProgramWindow::mnuVisit_Click()
{
    OpenHomePage();
}

void ProgramWindow::mnuUpdate_Click()
{
    OpenDownloadPage();
}

void ProgramWindow::mnuAbout_Click()
{
    FrmAbout about(this);
    about.exec();
}

void ProgramWindow::mnuDonate_Click()
{
    OpenDonatePage();
}

void ProgramWindow::mnuMakeMoneyOnline_Click()
{
    OpenFullBrandPage();
}

void ProgramWindow::Label61_Click()
{
    OpenHomePage();
}

void ProgramWindow::lblCobrand_Click()
{
    OpenCoBrandPage();
}

void ProgramWindow::lblFullBrand_Click()
{
    OpenFullBrandPage();
}

void ProgramWindow::closeEvent(QCloseEvent *)
{
    // While the program ends, the exit screen is shown again only if it is
    // still loaded: the end never creates a window.
    if (FrmNagScreen2 *exitScreen = Forms::exitRequested() ? Forms::find<FrmNagScreen2>() : Forms::get<FrmNagScreen2>())
        exitScreen->show();
    Forms::hide<StartupForm>();
    Forms::unloaded(this);
}

} // namespace qx

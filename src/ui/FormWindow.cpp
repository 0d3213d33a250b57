#include "FormWindow.h"

#include "Forms.h"
#include "FrmNagScreen2.h"
#include "ProgramIcon.h"
#include "StartupForm.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

namespace qx {

void SetUpFixedWindow(QMainWindow *window, QSize clientSize)
{
    window->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    window->setWindowIcon(ProgramIcon());
    const int menuHeight = window->menuBar()->heightForWidth(clientSize.width());
    window->setFixedSize(clientSize.width(), clientSize.height() + qMax(menuHeight, 0));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(),
                                         screen->availableGeometry())
                         .topLeft());
}

void UseFormFont(QMainWindow *window)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(8.25);
    window->setFont(font);
}

void UnloadToExitScreen(QWidget *window)
{
    Forms::get<FrmNagScreen2>()->show();
    Forms::hide<StartupForm>();
    Forms::unloaded(window);
}

} // namespace qx

// The desktop program. It takes no command line: the start-up form runs the
// start-up sequence, then the event loop runs until ExitApplication ends it.

#include "Fonts.h"
#include "Forms.h"
#include "ProgramIcon.h"
#include "QtPlatform.h"
#include "StartupForm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    qx::InstallFontSubstitutes();
    // Closing the last window never ends the program; ExitApplication does.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(qx::ExecutableBaseName());
    QApplication::setWindowIcon(qx::ProgramIcon());
    // Lets the desktop match the windows to the installed menu entry.
    QGuiApplication::setDesktopFileName(
        QStringLiteral("io.github.qxfriendship.QXFriendshipCompatibilityTest"));

    qx::Forms::get<qx::StartupForm>()->Form_Load();

    int status = 0;
    if (!qx::Forms::exitRequested())
        status = QApplication::exec();
    // Windows unloaded on the way out are destroyed before the application.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}

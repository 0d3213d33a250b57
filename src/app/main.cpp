// The desktop program. It takes no command line: the start-up form runs the
// start-up sequence, then the event loop runs until ExitApplication ends it.

#include "core/platform/TerminationSignals.h"
#include "ui/DesktopApplication.h"
#include "ui/Forms.h"
#include "ui/platform/DesktopPlatform.h"
#include "ui/StartupForm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The session ending, Ctrl+C or a closed terminal end the program as Exit
    // does, however early they come.
    qx::TerminationSignals::catchFromStart();
    QApplication app(argc, argv);
    qx::setUpDesktopApplication();
    const qx::DesktopPlatform desktop;
    qx::TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &qx::TerminationSignals::received, &terminationSignals,
                     [] { qx::ExitApplication(); });
    // One that came while the program was starting ends it here, before it
    // has shown or stored anything.
    terminationSignals.deliverPending();

    if (!qx::Forms::exitRequested())
        qx::Forms::get<qx::StartupForm>()->Form_Load();

    if (!qx::Forms::exitRequested())
        QApplication::exec();
    // Windows unloaded on the way out are destroyed before the application.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // ExitApplication is the one way out, and it ends the program normally.
    return 0;
}

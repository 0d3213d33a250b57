#pragma once

// Steps of the tests that load and unload the program's windows: reaching a
// control by name, destroying what the forms collection let go of, and
// starting each test as the program starts.

#include "ui/Forms.h"
#include "ui/ProgramReport.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace qx::test {

// The named control of a window; ends the test program when there is none,
// as every test that asks for one needs it.
template <class T>
T *control(const QWidget *window, const char *name)
{
    T *widget = window ? window->findChild<T *>(QLatin1String(name)) : nullptr;
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

// The top-level windows that are on screen.
inline QList<QWidget *> visibleWindows()
{
    QList<QWidget *> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            windows.append(window);
    return windows;
}

// Unloaded windows are destroyed once the current event is done; tests have
// no event loop, so they let that happen here.
inline void destroyUnloadedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Forgets every window, destroys them and empties the program's report, so
// that each test starts as the program does.
inline void unloadAllWindows()
{
    Forms::reset();
    destroyUnloadedWindows();
    programReport() = FriendshipReport{};
}

// Shows a window and waits until it is the active one.
inline bool showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

} // namespace qx::test

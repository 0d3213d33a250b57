#pragma once

// Small helpers for tests that load and unload the program's windows.

#include <QApplication>
#include <QWidget>

namespace qx::test {

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

} // namespace qx::test

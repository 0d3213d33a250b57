#pragma once

#include <QSize>

class QMainWindow;
class QWidget;

namespace qx {

// Gives a form window its fixed single border: the program icon, a title bar
// with the close box but no minimise or maximise box, a client area below the
// menu bar of exactly clientSize that the user cannot resize, and a place in
// the middle of the screen. Call it once the menu bar is set up.
void SetUpFixedWindow(QMainWindow *window, QSize clientSize);

// Verdana 8.25 pt, the default font of the forms. Form files hold whole
// points only, so each window sets it in code before its controls are
// created, which then take their size from it.
void UseFormFont(QMainWindow *window);

// The unload step of the main and the results window: the exit screen takes
// the window's place (loaded first if need be), the start-up form stays
// hidden, and the window goes.
void UnloadToExitScreen(QWidget *window);

} // namespace qx

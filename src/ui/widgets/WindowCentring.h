#pragma once

class QWidget;

namespace qx {

// Centres a top-level window as the user sees it, frame and title bar
// included: over the window `over` or, without one, on the available area of
// its screen. A window that would reach beyond that area is moved into it; one
// larger than the area keeps its title bar and left edge on it, so that it can
// still be grabbed and moved.
//
// The placing happens each time the window is shown, until it has been on
// screen once; from then on it stays where it is (the user may have moved it).
// The window manager frames a window only once it is shown: until then the
// frame it gave the program's windows before stands in (none before the
// first), and if the window's own frame turns out different when it appears,
// the window is placed once more.
void centreWhenShown(QWidget *window, QWidget *over = nullptr);

} // namespace qx

#pragma once

namespace qx {

// What the desktop program sets on its application object before any window
// exists: DejaVu Sans where the forms' fonts are missing, no end when the
// last window closes (ExitApplication ends the program), the program's icon,
// which every window and message box takes, and the menu entry the desktop
// matches the windows to.
void setUpDesktopApplication();

} // namespace qx

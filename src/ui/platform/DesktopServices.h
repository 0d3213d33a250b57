#pragma once

#include "core/platform/Clipboard.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/UrlOpener.h"

namespace qx {

// QMessageBox, modal to the program's active window, or to its window on
// screen while another program has the focus, and centred over it; above
// other windows only when that window is, or when the program shows no window.
class QtMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const QString &text, MessageIcon icon, MessageButtons buttons) override;
};

// The desktop's default browser, through QDesktopServices (xdg-open).
class DesktopUrlOpener final : public UrlOpener {
public:
    void open(const QString &address) override;
};

// The system clipboard and the mouse selection, emptied only while this
// program owns them.
class SystemClipboard final : public Clipboard {
public:
    void clear() override;
};

} // namespace qx

#pragma once

#include "core/platform/Clipboard.h"
#include "core/platform/Clock.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/RandomSource.h"
#include "core/platform/SettingsStore.h"
#include "core/platform/UrlOpener.h"

namespace qx {

// The services the program takes from the desktop. The desktop program
// installs the Qt implementations (ui/platform/DesktopPlatform.h); tests put
// recorders in their place. A service that is not installed is one that does
// nothing: no box is shown and none is answered (MessageAnswer::Unanswered),
// no address is opened, the clock gives an invalid date, the generator 0, and
// the settings store can be neither read nor written.
struct Platform {
    MessageBoxes *messages = nullptr;
    UrlOpener *urls = nullptr;
    Clock *clock = nullptr;
    RandomSource *random = nullptr;
    Clipboard *clipboard = nullptr;
    SettingsStore *settings = nullptr;
};

// The services in use; none of them is ever null.
const Platform &platform();
// Puts services in use, the do-nothing ones where services has none;
// installPlatform({}) takes them all out again.
void installPlatform(const Platform &services);

// A message box with an OK button.
void showMessage(const QString &text, MessageIcon icon);

} // namespace qx

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
// recorders in their place. A service that is not installed is skipped.
struct Platform {
    MessageBoxes *messages = nullptr;
    UrlOpener *urls = nullptr;
    Clock *clock = nullptr;
    RandomSource *random = nullptr;
    Clipboard *clipboard = nullptr;
    SettingsStore *settings = nullptr;
};

// The services in use: none until installPlatform() is called.
const Platform &platform();
// Puts services in use; installPlatform({}) takes them out again.
void installPlatform(const Platform &services);

// A message box with an OK button through the installed service, if any.
void showMessage(const QString &text, MessageIcon icon);

} // namespace qx

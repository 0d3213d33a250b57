#pragma once

#include "Clipboard.h"
#include "Clock.h"
#include "MessageBoxes.h"
#include "RandomSource.h"
#include "SettingsStore.h"
#include "UrlOpener.h"

namespace qx {

// The services the program takes from the desktop. The running program uses
// the Qt implementations; tests put recorders in their place.
struct Platform {
    MessageBoxes *messages = nullptr;
    UrlOpener *urls = nullptr;
    Clock *clock = nullptr;
    RandomSource *random = nullptr;
    Clipboard *clipboard = nullptr;
    SettingsStore *settings = nullptr;
};

// The services in use. Until installPlatform() is called these are the Qt ones.
Platform &platform();
void installPlatform(const Platform &services);

// Title of every message box.
inline constexpr const char *ApplicationTitle = "QX Friendship Compatibility Test";

} // namespace qx

#pragma once

#include "core/platform/QtSettingsStore.h"
#include "core/platform/SystemServices.h"
#include "ui/platform/DesktopServices.h"

namespace qx {

// The real services of the desktop, in use for as long as this object lives.
class DesktopPlatform {
public:
    DesktopPlatform();
    ~DesktopPlatform();
    DesktopPlatform(const DesktopPlatform &) = delete;
    DesktopPlatform &operator=(const DesktopPlatform &) = delete;

private:
    QtMessageBoxes m_messages;
    DesktopUrlOpener m_urls;
    SystemClock m_clock;
    QtRandomSource m_random;
    SystemClipboard m_clipboard;
    QtSettingsStore m_settings;
};

} // namespace qx

#include "Platform.h"

#include "QtPlatform.h"

namespace qx {

namespace {

Platform qtPlatform()
{
    static QtMessageBoxes messages;
    static DesktopUrlOpener urls;
    static SystemClock clock;
    static QtRandomSource random;
    static SystemClipboard clipboard;
    static QtSettingsStore settings(ExecutableBaseName());
    return Platform{&messages, &urls, &clock, &random, &clipboard, &settings};
}

Platform installed;
bool isInstalled = false;

} // namespace

Platform &platform()
{
    if (isInstalled)
        return installed;
    // Built on first use only, so that tests which install their own
    // services never create the real ones.
    static Platform real = qtPlatform();
    return real;
}

void installPlatform(const Platform &services)
{
    installed = services;
    isInstalled = true;
}

} // namespace qx

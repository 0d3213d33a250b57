#include "core/platform/Platform.h"

namespace qx {

namespace {

Platform &installed()
{
    static Platform services;
    return services;
}

} // namespace

const Platform &platform()
{
    return installed();
}

void installPlatform(const Platform &services)
{
    installed() = services;
}

void showMessage(const QString &text, MessageIcon icon)
{
    if (MessageBoxes *messages = platform().messages)
        messages->show(text, icon, MessageButtons::Ok);
}

} // namespace qx

#include "ui/platform/DesktopPlatform.h"

#include "core/platform/Platform.h"
#include "core/ProgramInfo.h"

namespace qx {

DesktopPlatform::DesktopPlatform()
    : m_settings(executableBaseName())
{
    installPlatform({&m_messages, &m_urls, &m_clock, &m_random, &m_clipboard, &m_settings});
}

DesktopPlatform::~DesktopPlatform()
{
    installPlatform({});
}

} // namespace qx

#pragma once

// Makes file permissions bind this thread even when it runs as root, as they
// bind any other user: while the object lives, the thread's effective
// capabilities lack CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH (root keeps its
// uid and owns the test's files, so only the owner's permission bits count).
// Capabilities are per thread on Linux; the file operations under test run on
// the thread that made the object. For any other user it does nothing.

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>

namespace qx::test {

class FilePermissionsBind {
public:
    FilePermissionsBind()
    {
        m_lowered = ::syscall(SYS_capget, &m_header, m_saved.data()) == 0;
        if (!m_lowered)
            return;
        std::array<__user_cap_data_struct, 2> lowered = m_saved;
        for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
            lowered[CAP_TO_INDEX(capability)].effective &= ~CAP_TO_MASK(capability);
        m_lowered = ::syscall(SYS_capset, &m_header, lowered.data()) == 0;
    }
    ~FilePermissionsBind()
    {
        if (m_lowered)
            ::syscall(SYS_capset, &m_header, m_saved.data());
    }
    FilePermissionsBind(const FilePermissionsBind &) = delete;
    FilePermissionsBind &operator=(const FilePermissionsBind &) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    std::array<__user_cap_data_struct, 2> m_saved{};
    bool m_lowered = false;
};

} // namespace qx::test

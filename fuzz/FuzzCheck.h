#pragma once

// A property that a fuzz target checks: when it does not hold, the input is a
// finding, so print what failed and abort for libFuzzer to keep the input.

#include <QString>

#include <cstdio>
#include <cstdlib>

namespace qx::fuzz {

[[noreturn]] inline void fail(const char *file, int line, const char *condition, const QString &detail)
{
    std::fprintf(stderr, "%s:%d: property failed: %s\n%s\n", file, line, condition, detail.toUtf8().constData());
    std::abort();
}

} // namespace qx::fuzz

// Checks a property; detail (a QString) is printed only when it fails.
#define QX_FUZZ_CHECK(condition, detail) \
    do { \
        if (!(condition)) \
            ::qx::fuzz::fail(__FILE__, __LINE__, #condition, (detail)); \
    } while (false)

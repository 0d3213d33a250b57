#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace qx::test {

// Engine texts as QString, so that QCOMPARE shows both sides on failure.
inline QString textOf(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace qx::test

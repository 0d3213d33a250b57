#pragma once

#include <QString>

namespace qx {

// Hands a web address to the desktop, which opens it in the default browser.
// Fire and forget: the outcome is never reported.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QString &address) = 0;
};

} // namespace qx

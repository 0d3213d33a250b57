#pragma once

#include <QDate>

namespace qx {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

} // namespace qx

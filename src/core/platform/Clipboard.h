#pragma once

namespace qx {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
};

} // namespace qx

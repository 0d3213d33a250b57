#pragma once

namespace qx {

// The system clipboard and the mouse selection.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Empties what this program put there; what another program put there
    // (the user's copy from an editor) is not this program's to wipe.
    virtual void clear() = 0;
};

} // namespace qx

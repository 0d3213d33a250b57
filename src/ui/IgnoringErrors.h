#pragma once

namespace qx {

// Start-up and shutdown drop a failing step silently and go on with the next.
template <class Step>
void ignoringErrors(Step step)
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace qx

#pragma once

namespace qx {

// The program's one pseudo-random generator of values r with 0 <= r < 1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Restarts the sequence from the system clock.
    virtual void randomize() = 0;
    virtual float next() = 0;
};

} // namespace qx

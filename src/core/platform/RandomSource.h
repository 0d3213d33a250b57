#pragma once

#include <cmath>

namespace qx {

// The program's one pseudo-random generator of values r with 0 <= r < 1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Restarts the sequence from the system clock.
    virtual void randomize() = 0;

    // The next value, held to 0 <= r < 1 whatever the generator gives (a
    // double just below 1 rounds up to 1.0f): a value that is not a number
    // or below 0 gives 0, and 1 or more the largest value below 1.
    float next()
    {
        const float r = generate();
        if (!(r >= 0.0f))
            return 0.0f;
        return r < 1.0f ? r : std::nextafter(1.0f, 0.0f);
    }

protected:
    // The generator's next value as it comes.
    virtual float generate() = 0;
};

} // namespace qx

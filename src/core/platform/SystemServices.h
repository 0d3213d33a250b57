#pragma once

#include "core/platform/Clock.h"
#include "core/platform/RandomSource.h"

#include <QRandomGenerator>

namespace qx {

// The system clock, in the user's time zone.
class SystemClock final : public Clock {
public:
    QDate today() const override;
};

// A generator seeded from the clock on randomize().
class QtRandomSource final : public RandomSource {
public:
    void randomize() override;

private:
    float generate() override;

    QRandomGenerator m_generator;
};

} // namespace qx

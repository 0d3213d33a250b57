#include "core/platform/SystemServices.h"

#include <QDateTime>

#include <cmath>

namespace qx {

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

void QtRandomSource::randomize()
{
    const auto msecs = QDateTime::currentMSecsSinceEpoch();
    m_generator = QRandomGenerator(static_cast<quint32>(msecs ^ (msecs >> 32)));
}

float QtRandomSource::next()
{
    // A double just below 1 rounds up to 1.0f; keep the value below 1.
    const auto r = static_cast<float>(m_generator.generateDouble());
    return r < 1.0f ? r : std::nextafter(1.0f, 0.0f);
}

} // namespace qx

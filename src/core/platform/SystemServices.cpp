#include "core/platform/SystemServices.h"

#include <QDateTime>

namespace qx {

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

void QtRandomSource::randomize()
{
    // The milliseconds of the clock, which differ from one start to the next.
    m_generator = QRandomGenerator(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
}

float QtRandomSource::generate()
{
    return static_cast<float>(m_generator.generateDouble());
}

} // namespace qx

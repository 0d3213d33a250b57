#include "core/platform/SystemServices.h"

#include <QDateTime>

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

float QtRandomSource::generate()
{
    return static_cast<float>(m_generator.generateDouble());
}

} // namespace qx

#include "analysis/monitoring/MonitorPace.h"

#include <cmath>

namespace lumetra::monitoring {

bool PaceFilter::take(long long frameNumber, double t)
{
    switch (m_pace.kind) {
    case MonitorPace::EveryFrame:
        return true;
    case MonitorPace::EveryNthFrame:
        if (frameNumber < m_nextFrame)
            return false;
        m_nextFrame = frameNumber + (m_pace.frames > 0 ? m_pace.frames : 1);
        return true;
    case MonitorPace::EveryInterval:
        if (t < m_nextTime)
            return false;
        if (m_pace.seconds > 0)
            m_nextTime = (std::floor(t / m_pace.seconds) + 1.0) * m_pace.seconds;
        return true;
    }
    return true;
}

} // namespace lumetra::monitoring

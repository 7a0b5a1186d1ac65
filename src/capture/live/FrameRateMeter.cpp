#include "capture/live/FrameRateMeter.h"

namespace lumetra {

void FrameRateMeter::frameAt(double seconds)
{
    m_times.push_back(seconds);
    while (m_times.size() > 2 && m_times.front() < seconds - m_window)
        m_times.pop_front();
}

double FrameRateMeter::rate() const
{
    if (m_times.size() < 2 || m_times.back() <= m_times.front())
        return 0;
    return double(m_times.size() - 1) / (m_times.back() - m_times.front());
}

} // namespace lumetra

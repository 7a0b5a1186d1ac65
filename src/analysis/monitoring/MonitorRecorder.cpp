#include "analysis/monitoring/MonitorRecorder.h"

namespace lumetra::monitoring {

void MonitorRecorder::record(double t, const beam::BeamResult &result)
{
    ++m_recorded;
    if (result.status != beam::BeamStatus::Ok) {
        ++m_withoutBeam;
        return;
    }
    const MonitorSample sample{t, result.centroidX, result.centroidY, result.dX, result.dY};
    m_total.add(sample);
    m_history.add(sample);
    m_recent.emplace_back(result.centroidX, result.centroidY);
    if (m_recent.size() > RecentCount)
        m_recent.pop_front();
}

} // namespace lumetra::monitoring

#pragma once

#include "analysis/beam/BeamMeasurement.h"
#include "analysis/monitoring/DecimatedHistory.h"
#include "analysis/monitoring/MonitorPace.h"

#include <deque>
#include <utility>

namespace lumetra::monitoring {

// What a recording keeps in memory besides its log: the moments of every kept frame with a
// beam (whole-run statistics), the decimated history of the plots, and the newest centroids for
// the scatter plot. Frames without a beam are counted, not averaged.
class MonitorRecorder
{
public:
    static constexpr std::size_t RecentCount = 2000;

    explicit MonitorRecorder(MonitorPace pace = {}) : m_pace(pace) {}

    // Whether the frame is to be measured and kept (see PaceFilter).
    bool take(long long frameNumber, double t) { return m_pace.take(frameNumber, t); }
    void record(double t, const beam::BeamResult &result);

    long long recorded() const { return m_recorded; }
    long long withoutBeam() const { return m_withoutBeam; }
    const RunningMoments &total() const { return m_total; }
    const DecimatedHistory &history() const { return m_history; }
    // (x, y) in px, oldest first.
    const std::deque<std::pair<double, double>> &recentCentroids() const { return m_recent; }

private:
    PaceFilter m_pace;
    RunningMoments m_total;
    DecimatedHistory m_history;
    std::deque<std::pair<double, double>> m_recent;
    long long m_recorded = 0;
    long long m_withoutBeam = 0;
};

} // namespace lumetra::monitoring

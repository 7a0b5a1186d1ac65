#pragma once

#include "types/BeamFrame.h"
#include "types/DeepFrame.h"

#include <vector>

namespace lumetra {

// A camera frame as the beam measurement takes it: the camera's codes, topValue 2^depth - 1.
beam::BeamFrame beamFrameOf(const DeepFrame &frame);

// Averages runs of `count` consecutive frames (1..64): every count-th frame added completes a
// mean. A frame of another size or depth than the run's starts the run again.
class FrameAverager
{
public:
    static constexpr int MaximumCount = 64;

    explicit FrameAverager(int count = 1) { setCount(count); }
    // Clamped to 1..64; the run in progress is dropped.
    void setCount(int count);
    int count() const { return m_count; }
    // True when `frame` completed a run: `mean` holds it.
    bool add(const DeepFrame &frame, beam::BeamFrame &mean);
    // Frames in the run so far.
    int pending() const { return m_added; }

private:
    int m_count = 1;
    int m_added = 0;
    int m_width = 0, m_height = 0, m_bitDepth = 0;
    std::vector<double> m_sum;
};

} // namespace lumetra

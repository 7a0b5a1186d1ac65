#include "devices/FrameAverager.h"

#include <algorithm>

namespace lumetra {

beam::BeamFrame beamFrameOf(const DeepFrame &frame)
{
    beam::BeamFrame out;
    out.width = frame.width;
    out.height = frame.height;
    out.bitDepth = frame.bitDepth > 8 ? 16 : 8;
    out.topValue = frame.topValue();
    out.values.assign(frame.samples.begin(), frame.samples.end());
    return out;
}

void FrameAverager::setCount(int count)
{
    m_count = std::clamp(count, 1, MaximumCount);
    m_added = 0;
}

bool FrameAverager::add(const DeepFrame &frame, beam::BeamFrame &mean)
{
    if (m_count == 1) {
        mean = beamFrameOf(frame);
        return true;
    }
    if (m_added == 0 || frame.width != m_width || frame.height != m_height || frame.bitDepth != m_bitDepth) {
        m_width = frame.width;
        m_height = frame.height;
        m_bitDepth = frame.bitDepth;
        m_sum.assign(frame.samples.size(), 0.0);
        m_added = 0;
    }
    for (std::size_t i = 0; i < m_sum.size(); ++i)
        m_sum[i] += frame.samples[i];
    if (++m_added < m_count)
        return false;
    mean.width = m_width;
    mean.height = m_height;
    mean.bitDepth = m_bitDepth > 8 ? 16 : 8;
    mean.topValue = frame.topValue();
    mean.values.resize(m_sum.size());
    for (std::size_t i = 0; i < m_sum.size(); ++i)
        mean.values[i] = float(m_sum[i] / m_count);
    m_added = 0;
    return true;
}

} // namespace lumetra

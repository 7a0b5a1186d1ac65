#include "devices/AutoExposure.h"

#include "types/MessageLanguage.h"

#include <algorithm>
#include <cmath>

namespace lumetra {

int framePeak(const DeepFrame &frame)
{
    return frame.samples.empty() ? 0 : int(*std::max_element(frame.samples.begin(), frame.samples.end()));
}

AutoExposure::AutoExposure(SettingRange exposureUs, double currentUs) : m_range(exposureUs), m_exposure(currentUs)
{
    if (!m_range.available)
        finish(State::Failed, messageText("这台相机的曝光时间不能调节", "this camera's exposure time cannot be adjusted"));
}

void AutoExposure::finish(State state, const QString &message)
{
    m_state = state;
    m_message = message;
}

AutoExposure::State AutoExposure::feed(const DeepFrame &frame)
{
    return feed(framePeak(frame), frame.topValue());
}

AutoExposure::State AutoExposure::feed(int peak, int topValue)
{
    if (m_state != State::Trying || topValue <= 0)
        return m_state;
    const double fraction = double(peak) / topValue;
    const QString percent = QString::number(fraction * 100, 'f', 1);
    if (fraction >= LowFraction && fraction <= HighFraction) {
        finish(State::Done, messageText("曝光 %1 µs，峰值 %2 % 满量程", "exposure %1 µs, peak at %2 % of full scale").arg(m_exposure, 0, 'g', 6).arg(percent));
        return m_state;
    }
    if (++m_steps > MaximumSteps) {
        finish(State::Failed, messageText("%1 次调节后峰值仍为 %2 %，光源可能不稳定",
                                          "the peak is still at %2 % after %1 adjustments: the light source may be unstable").arg(MaximumSteps).arg(percent));
        return m_state;
    }
    const bool low = fraction < LowFraction;
    if (low)
        m_tooDark = std::max(m_tooDark, m_exposure);
    else
        m_tooBright = m_tooBright > 0 ? std::min(m_tooBright, m_exposure) : m_exposure;

    if (low && m_exposure >= m_range.maximum) {
        finish(State::Failed, messageText("曝光已到最长 %1 µs，峰值只有 %2 % 满量程：请加大光强或增益",
                                              "the exposure is at its longest, %1 µs, and the peak only at %2 % of full scale: raise the light or the gain")
                                  .arg(m_range.maximum, 0, 'g', 6)
                                  .arg(percent));
        return m_state;
    }
    if (!low && m_exposure <= m_range.minimum) {
        finish(State::Failed, messageText("曝光已到最短 %1 µs，峰值仍有 %2 % 满量程：请减弱光强或增益",
                                              "the exposure is at its shortest, %1 µs, and the peak still at %2 % of full scale: reduce the light or the gain")
                                  .arg(m_range.minimum, 0, 'g', 6)
                                  .arg(percent));
        return m_state;
    }
    // The signal grows in proportion to the exposure; a saturated or empty frame says only
    // which way to go, so the step is then a large fixed one.
    double next;
    if (fraction >= 0.999)
        next = m_exposure / 4;
    else if (fraction <= 0.02)
        next = m_exposure * 8;
    else
        next = m_exposure * 0.8 / fraction;
    // Never past what is already known to be too far.
    if (m_tooBright > 0 && next >= m_tooBright)
        next = m_tooDark > 0 ? std::sqrt(m_tooDark * m_tooBright) : m_tooBright / 2;
    if (m_tooDark > 0 && next <= m_tooDark)
        next = m_tooBright > 0 ? std::sqrt(m_tooDark * m_tooBright) : m_tooDark * 2;
    m_exposure = std::clamp(next, m_range.minimum, m_range.maximum);
    return m_state;
}

} // namespace lumetra

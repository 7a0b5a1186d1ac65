#pragma once

#include "devices/CameraControls.h"
#include "types/DeepFrame.h"

#include <QString>

namespace lumetra {

// Finds the exposure that puts a frame's peak at 70–90 % of full scale, one frame at a time:
// each frame taken at the exposure in force gives the next exposure to try, until the peak is
// in the band or the camera's exposure range ends before it gets there.
class AutoExposure
{
public:
    static constexpr double LowFraction = 0.70;
    static constexpr double HighFraction = 0.90;
    static constexpr int MaximumSteps = 24;

    enum class State { Trying, Done, Failed };

    AutoExposure(SettingRange exposureUs, double currentUs);

    // The peak (largest code) of a frame taken at exposure(), out of `topValue`.
    State feed(int peak, int topValue);
    State feed(const DeepFrame &frame);
    State state() const { return m_state; }
    // The exposure to set now (Trying) or the one found (Done).
    double exposureUs() const { return m_exposure; }
    // Why it failed, or what it found.
    QString message() const { return m_message; }

private:
    void finish(State state, const QString &message);

    SettingRange m_range;
    double m_exposure;
    double m_tooDark = 0;    // longest exposure known to leave the peak low (0: none)
    double m_tooBright = 0;  // shortest exposure known to put the peak high (0: none)
    int m_steps = 0;
    State m_state = State::Trying;
    QString m_message;
};

// The largest code in a frame.
int framePeak(const DeepFrame &frame);

} // namespace lumetra

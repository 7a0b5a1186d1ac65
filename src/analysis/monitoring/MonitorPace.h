#pragma once

namespace lumetra::monitoring {

// Which measured frames a recording keeps: every one, one every `frames` frames, or the first one
// at or after each multiple of `seconds` since the start.
struct MonitorPace
{
    enum Kind { EveryFrame, EveryNthFrame, EveryInterval };
    Kind kind = EveryFrame;
    int frames = 1;
    double seconds = 1.0;
};

// Applies a pace to a stream of frames: take() says whether a frame is to be measured and logged,
// before it is measured (so frames that are not kept cost nothing).
class PaceFilter
{
public:
    explicit PaceFilter(MonitorPace pace = {}) : m_pace(pace) {}

    // frameNumber counts the camera's frames from 1; t is seconds since the start.
    bool take(long long frameNumber, double t);

private:
    MonitorPace m_pace;
    long long m_nextFrame = 0;
    double m_nextTime = 0;
};

} // namespace lumetra::monitoring

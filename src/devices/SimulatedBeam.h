#pragma once

#include <QImage>
#include <QPointF>
#include <QSize>

namespace lumetra {

// What the simulated card's picture depends on: the frame size, the video source and the four
// picture controls (0..10000, 5000 neutral).
struct BeamSettings
{
    QSize size{640, 480};
    int source = 0;
    int brightness = 5000;
    int contrast = 5000;
    int hue = 5000;
    int saturation = 5000;
    // Slow drift of the spot (pixels a minute along x and y) and frame-to-frame jitter (pixels
    // rms along each axis, Gaussian), on top of its usual path; both 0 by default.
    double driftXPerMinute = 0;
    double driftYPerMinute = 0;
    double jitterRms = 0;
};

// Paints the simulated card's picture: a Gaussian light spot moving over a dark background with
// sensor noise. Source 0 shows a round spot, 1 an elliptical one, 2 two spots, 3 a spot resting
// in the middle, 4 the four sources in quarters. Hue turns the spot's tint round the colour
// circle, saturation sets how strong the tint is, contrast scales the levels about mid-grey and
// brightness shifts them.
class SimulatedBeam
{
public:
    explicit SimulatedBeam(quint32 seed = 0x2545f491u) : m_random(seed ? seed : 1u) {}

    // The picture (Format_RGB32) at `seconds` after the stream started.
    QImage render(const BeamSettings &settings, double seconds);

    // Where the (first) spot of a source is at `seconds`, in pixels of a picture of `size`.
    static QPointF spotCentre(int source, QSize size, double seconds);

    // Peak and background levels before the picture controls, and the noise amplitude.
    static constexpr int Background = 12;
    static constexpr int Peak = 235;
    static constexpr int Noise = 6;

private:
    void paintSource(int source, const BeamSettings &s, double seconds, QPointF shift, QImage &out,
                     const QRect &area);
    quint32 nextRandom();
    double nextGaussian();

    quint32 m_random;
    quint64 m_jitterRandom = 0x9e3779b97f4a7c15ull; // the jitter's own sequence: noise draws do not shift it
};

} // namespace lumetra

#include "beamview/BeamOverlay.h"

#include "surface/PictureSurface.h"
#include "types/RasterLine.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_set>

namespace lumetra {

namespace {

constexpr Colour CentroidColour = rgb(255, 255, 255);
constexpr Colour EllipseColour = rgb(0, 255, 255);
constexpr Colour AxisColour = rgb(255, 0, 255);
constexpr Colour RectangleColour = rgb(255, 255, 0);
constexpr Colour D86Colour = rgb(0, 255, 0);
constexpr Colour GaussianColour = rgb(255, 128, 0);
constexpr int CrossArm = 8;      // picture pixels
constexpr int EllipseSteps = 720;
// The measurement integrates a nearly round beam (ellipticity from this on) inside a square along
// the frame's axes rather than a turned rectangle; the mark shows the same area.
constexpr double RoundEllipticity = 0.87;

class PixelSet
{
public:
    PixelSet(QSize size, std::vector<BeamOverlay::Pixel> &out) : m_size(size), m_out(out) {}

    void add(int x, int y, Colour colour)
    {
        if (x < 0 || y < 0 || x >= m_size.width() || y >= m_size.height())
            return;
        if (m_seen.insert(qint64(y) * m_size.width() + x).second)
            m_out.push_back({QPoint(x, y), colour});
    }

    // An ellipse of semi-axes a along u and b along v about c, as a closed polygon.
    void ellipse(QPointF c, double a, QPointF u, double b, QPointF v, Colour colour)
    {
        QPointF previous = c + a * u;
        for (int i = 1; i <= EllipseSteps; ++i) {
            const double t = 2 * std::numbers::pi * i / EllipseSteps;
            const QPointF p = c + a * std::cos(t) * u + b * std::sin(t) * v;
            segment(previous, p, colour);
            previous = p;
        }
    }

    // Every pixel of the segment, end points included (Bresenham between the nearest pixels).
    void segment(QPointF a, QPointF b, Colour colour)
    {
        const auto far = [](double v) { return !std::isfinite(v) || std::fabs(v) > 1e6; };
        if (far(a.x()) || far(a.y()) || far(b.x()) || far(b.y()))
            return;
        rasterLine(int(std::lround(a.x())), int(std::lround(a.y())), int(std::lround(b.x())),
                   int(std::lround(b.y())), [&](int x, int y, int) { add(x, y, colour); });
    }

private:
    QSize m_size;
    std::vector<BeamOverlay::Pixel> &m_out;
    std::unordered_set<qint64> m_seen;
};

} // namespace

std::vector<BeamOverlay::Pixel> BeamOverlay::rasterise(const beam::BeamResult &r, const FramePlacement &placement,
                                                       const OverlayShapes &shapes, double maskDiameters,
                                                       QSize pictureSize, const beam::BeamWidths *widths)
{
    std::vector<Pixel> pixels;
    if (r.status != beam::BeamStatus::Ok)
        return pixels;
    PixelSet set(pictureSize, pixels);
    const QPointF c = placement.toPicture(r.centroidX, r.centroidY);
    // The major axis as seen on screen (y up, counter-clockwise) points along u in picture rows
    // (y down); v is perpendicular to it.
    const double phi = r.phiDeg * std::numbers::pi / 180.0;
    const QPointF u(std::cos(phi), -std::sin(phi));
    const QPointF v(std::sin(phi), std::cos(phi));
    const double s = placement.scale;

    if (shapes.centroid) {
        set.segment(c - QPointF(CrossArm, 0), c + QPointF(CrossArm, 0), CentroidColour);
        set.segment(c - QPointF(0, CrossArm), c + QPointF(0, CrossArm), CentroidColour);
    }
    if (shapes.ellipse) {
        const double a = 0.5 * r.dMajor * s, b = 0.5 * r.dMinor * s;
        set.segment(c - a * u, c + a * u, AxisColour);
        set.segment(c - b * v, c + b * v, AxisColour);
        set.ellipse(c, a, u, b, v, EllipseColour);
    }
    if (shapes.d86 && widths && widths->d86) {
        const double r = 0.5 * *widths->d86 * s;
        set.ellipse(c, r, QPointF(1, 0), r, QPointF(0, 1), D86Colour);
    }
    if (shapes.gaussian && widths && widths->gauss) {
        const beam::GaussianFit &g = *widths->gauss;
        const double gphi = g.phiDeg * std::numbers::pi / 180.0;
        set.ellipse(placement.toPicture(g.x, g.y), 0.5 * g.major * s, QPointF(std::cos(gphi), -std::sin(gphi)),
                    0.5 * g.minor * s, QPointF(std::sin(gphi), std::cos(gphi)), GaussianColour);
    }
    if (shapes.rectangle) {
        const bool round = r.dMinor >= RoundEllipticity * r.dMajor;
        const QPointF ru = round ? QPointF(1, 0) : u;
        const QPointF rv = round ? QPointF(0, 1) : v;
        const double hu = 0.5 * maskDiameters * r.dMajor * s;
        const double hv = 0.5 * maskDiameters * (round ? r.dMajor : r.dMinor) * s;
        const QPointF corners[4] = {c + hu * ru + hv * rv, c - hu * ru + hv * rv, c - hu * ru - hv * rv,
                                    c + hu * ru - hv * rv};
        for (int i = 0; i < 4; ++i)
            set.segment(corners[i], corners[(i + 1) % 4], RectangleColour);
    }
    return pixels;
}

void BeamOverlay::toggle()
{
    PictureSurface &surface = *m_surface;
    const auto pen = surface.penMode();
    surface.setPenMode(PictureSurface::PenMode::Xor);
    for (const Pixel &p : m_drawn)
        surface.setPixel(p.at.x(), p.at.y(), p.colour);
    surface.setPenMode(pen);
}

void BeamOverlay::show(PictureSurface &surface, const beam::BeamResult &result, const FramePlacement &placement,
                       const OverlayShapes &shapes, double maskDiameters, const beam::BeamWidths *widths)
{
    remove();
    m_surface = &surface;
    m_drawn = rasterise(result, placement, shapes, maskDiameters, surface.size(), widths);
    toggle();
}

void BeamOverlay::remove()
{
    if (m_surface && !m_drawn.empty())
        toggle();
    m_drawn.clear();
    m_surface = nullptr;
}

} // namespace lumetra

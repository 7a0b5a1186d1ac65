#include "beamview/BeamReportPicture.h"

#include "analysis/picture/Contours.h"
#include "analysis/picture/FalseColour.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumetra {

namespace {
constexpr double RoundEllipticity = 0.87; // as the measurement's integration area
constexpr int ContourGridSide = 400;      // the contours are traced on at most this many samples a side
}

BeamPicture beamPicture(const beam::BeamFrame &frame, const beam::BeamResult &result, double maskDiameters,
                        const beam::BeamFrame *dark)
{
    BeamPicture p;
    const QRect whole(0, 0, frame.width, frame.height);
    if (whole.isEmpty() || frame.values.size() != std::size_t(frame.width) * std::size_t(frame.height))
        return p;
    p.area = whole;
    if (result.status == beam::BeamStatus::Ok) {
        const double half = 0.5 * maskDiameters * result.dMajor;
        const QRect square(QPoint(int(std::floor(result.centroidX - half)), int(std::floor(result.centroidY - half))),
                           QPoint(int(std::ceil(result.centroidX + half)), int(std::ceil(result.centroidY + half))));
        p.area = square.intersected(whole);
        if (p.area.isEmpty())
            p.area = whole;
    }
    const auto crop = [&p](const beam::BeamFrame &from) {
        beam::BeamFrame out;
        out.width = p.area.width();
        out.height = p.area.height();
        out.bitDepth = from.bitDepth;
        out.topValue = from.topValue;
        out.values.reserve(std::size_t(out.width) * std::size_t(out.height));
        for (int y = p.area.top(); y <= p.area.bottom(); ++y) {
            const float *line = from.values.data() + std::size_t(y) * std::size_t(from.width);
            out.values.insert(out.values.end(), line + p.area.left(), line + p.area.right() + 1);
        }
        return out;
    };
    p.samples = crop(frame);
    if (dark && dark->width == frame.width && dark->height == frame.height && dark->values.size() == frame.values.size())
        p.dark = crop(*dark);
    p.darkLevel = result.background;
    p.noise = result.backgroundNoise;
    return p;
}

ColouredBeamPicture colourBeamPicture(const BeamPicture &picture, const FalseColourChoice &choice)
{
    ColouredBeamPicture out;
    if (picture.isNull())
        return out;
    const QRect whole(0, 0, picture.samples.width, picture.samples.height);
    const beam::BeamFrame *dark = picture.dark ? &*picture.dark : nullptr;
    // The highest value less the dark frame spans the palette's top, as the grey picture did.
    const contours::ValueGrid full = contours::valueGrid(picture.samples, whole, dark, std::max(whole.width(), whole.height()));
    const float top = full.values.empty() ? 0.0f : *std::max_element(full.values.begin(), full.values.end());
    out.low = picture.darkLevel;
    out.high = std::max(double(top), out.low + 1e-6);
    out.fullScale = picture.samples.topValue;
    const falsecolour::ColourScale scale{out.low, out.high, picture.samples.topValue,
                                        picture.darkLevel + 3 * picture.noise};
    out.image = falsecolour::colourPicture(picture.samples, whole, dark, scale, choice).image;
    if (choice.contours) {
        const contours::ValueGrid grid = full.step == 1 && std::max(whole.width(), whole.height()) <= ContourGridSide
                                             ? full
                                             : contours::valueGrid(picture.samples, whole, dark, ContourGridSide);
        out.clipContour = contours::contourLines(grid, contours::levelAt(contours::ClipLevel, out.low, out.high));
        out.halfContour = contours::contourLines(grid, contours::levelAt(contours::HalfLevel, out.low, out.high));
    }
    return out;
}

void drawContours(QPainter &painter, const ColouredBeamPicture &coloured, double scale)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    for (const auto &[lines, colour] : {std::pair{&coloured.halfContour, QColor(Qt::white)},
                                        std::pair{&coloured.clipContour, QColor(Qt::yellow)}}) {
        QPen edge(QColor(0, 0, 0, 160), 3.5);
        edge.setCosmetic(true);
        painter.setPen(edge);
        painter.drawLines(lines->data(), int(lines->size()));
        QPen line(colour, 1.5);
        line.setCosmetic(true);
        painter.setPen(line);
        painter.drawLines(lines->data(), int(lines->size()));
    }
    painter.restore();
}

QImage markedBeamPicture(const BeamPicture &picture, const beam::BeamResult &r, const beam::BeamWidths *widths,
                         const OverlayShapes &shapes, double maskDiameters, int size, const FalseColourChoice &choice)
{
    const ColouredBeamPicture coloured = colourBeamPicture(picture, choice);
    if (coloured.image.isNull())
        return {};
    const double scale = double(size) / std::max(coloured.image.width(), coloured.image.height());
    QImage out = coloured.image
                     .scaled(int(std::lround(coloured.image.width() * scale)), int(std::lround(coloured.image.height() * scale)),
                             Qt::IgnoreAspectRatio, scale > 1 ? Qt::FastTransformation : Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_RGB32);
    QPainter painter(&out);
    drawContours(painter, coloured, scale);
    drawBeamMarks(painter, picture, r, widths, shapes, maskDiameters, scale, std::max(2.0, size / 400.0));
    return out;
}

void drawBeamMarks(QPainter &painter, const BeamPicture &picture, const beam::BeamResult &r,
                   const beam::BeamWidths *widths, const OverlayShapes &shapes, double maskDiameters, double scale,
                   double pen)
{
    if (r.status != beam::BeamStatus::Ok)
        return;
    // Frame pixel centres to the enlarged picture.
    const auto map = [&](double fx, double fy) {
        return QPointF((fx - picture.area.left() + 0.5) * scale, (fy - picture.area.top() + 0.5) * scale);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const auto ellipse = [&](QPointF c, double phiDeg, double a, double b, const QColor &colour) {
        painter.save();
        painter.translate(c);
        painter.rotate(-phiDeg); // on screen y points down
        painter.setPen(QPen(colour, pen));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(0, 0), a * scale, b * scale);
        painter.restore();
    };
    const QPointF c = map(r.centroidX, r.centroidY);
    if (shapes.rectangle) {
        const bool round = r.dMinor >= RoundEllipticity * r.dMajor;
        painter.save();
        painter.translate(c);
        painter.rotate(round ? 0.0 : -r.phiDeg);
        painter.setPen(QPen(QColor(255, 255, 0), pen));
        const double hu = 0.5 * maskDiameters * r.dMajor * scale;
        const double hv = 0.5 * maskDiameters * (round ? r.dMajor : r.dMinor) * scale;
        painter.drawRect(QRectF(-hu, -hv, 2 * hu, 2 * hv));
        painter.restore();
    }
    if (shapes.ellipse) {
        const double phi = r.phiDeg * std::numbers::pi / 180.0;
        const QPointF u(std::cos(phi), -std::sin(phi)), v(std::sin(phi), std::cos(phi));
        painter.setPen(QPen(QColor(255, 0, 255), pen));
        painter.drawLine(c - 0.5 * r.dMajor * scale * u, c + 0.5 * r.dMajor * scale * u);
        painter.drawLine(c - 0.5 * r.dMinor * scale * v, c + 0.5 * r.dMinor * scale * v);
        ellipse(c, r.phiDeg, 0.5 * r.dMajor, 0.5 * r.dMinor, QColor(0, 255, 255));
    }
    if (shapes.d86 && widths && widths->d86)
        ellipse(c, 0, 0.5 * *widths->d86, 0.5 * *widths->d86, QColor(0, 255, 0));
    if (shapes.gaussian && widths && widths->gauss) {
        const beam::GaussianFit &g = *widths->gauss;
        ellipse(map(g.x, g.y), g.phiDeg, 0.5 * g.major, 0.5 * g.minor, QColor(255, 128, 0));
    }
    if (shapes.centroid) {
        const double arm = std::max(picture.area.width(), picture.area.height()) * scale / 40.0;
        painter.setPen(QPen(Qt::white, pen));
        painter.drawLine(c - QPointF(arm, 0), c + QPointF(arm, 0));
        painter.drawLine(c - QPointF(0, arm), c + QPointF(0, arm));
    }
    painter.restore();
}

} // namespace lumetra

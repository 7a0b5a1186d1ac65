#include "beamview/BeamReportPicture.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumetra {

namespace {
constexpr double RoundEllipticity = 0.87; // as the measurement's integration area
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
    const bool subtract = dark && dark->width == frame.width && dark->height == frame.height &&
                          dark->values.size() == frame.values.size();
    const auto at = [&](int x, int y) {
        const std::size_t i = std::size_t(y) * std::size_t(frame.width) + std::size_t(x);
        return frame.values[i] - (subtract ? dark->values[i] : 0.0f);
    };
    float top = -1e30f;
    for (int y = p.area.top(); y <= p.area.bottom(); ++y)
        for (int x = p.area.left(); x <= p.area.right(); ++x)
            top = std::max(top, at(x, y));
    const double low = result.background;
    const double span = std::max(1e-6, double(top) - low);
    p.image = QImage(p.area.size(), QImage::Format_Grayscale8);
    for (int y = p.area.top(); y <= p.area.bottom(); ++y) {
        uchar *line = p.image.scanLine(y - p.area.top());
        for (int x = p.area.left(); x <= p.area.right(); ++x)
            line[x - p.area.left()] = static_cast<uchar>(std::clamp((at(x, y) - low) / span * 255.0, 0.0, 255.0));
    }
    return p;
}

QImage markedBeamPicture(const BeamPicture &picture, const beam::BeamResult &r, const beam::BeamWidths *widths,
                         const OverlayShapes &shapes, double maskDiameters, int size)
{
    if (picture.image.isNull())
        return {};
    const double scale = double(size) / std::max(picture.image.width(), picture.image.height());
    QImage out = picture.image
                     .scaled(int(std::lround(picture.image.width() * scale)), int(std::lround(picture.image.height() * scale)),
                             Qt::IgnoreAspectRatio, scale > 1 ? Qt::FastTransformation : Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_RGB32);
    if (r.status != beam::BeamStatus::Ok)
        return out;
    // Frame pixel centres to the enlarged picture.
    const auto map = [&](double fx, double fy) {
        return QPointF((fx - picture.area.left() + 0.5) * scale, (fy - picture.area.top() + 0.5) * scale);
    };
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing);
    const double pen = std::max(2.0, size / 400.0);
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
        const double arm = size / 40.0;
        painter.setPen(QPen(Qt::white, pen));
        painter.drawLine(c - QPointF(arm, 0), c + QPointF(arm, 0));
        painter.drawLine(c - QPointF(0, arm), c + QPointF(0, arm));
    }
    return out;
}

} // namespace lumetra

#pragma once

#include "analysis/beam/estimate/BeamWidths.h"

#include <QtCharts/QChart>

#include <vector>

class QLineSeries;
class QValueAxis;

namespace lumetra {

// A profile through the beam's centroid along one principal axis with the fitted Gaussian drawn
// over it: position (px, or µm once calibrated) against the corrected intensity.
class ProfileChart : public QChart
{
    Q_OBJECT

public:
    explicit ProfileChart(const QString &title, QGraphicsItem *parent = nullptr);

    // Shows the measured profile and, when `fit` is not empty, the fitted values at its positions.
    // umPerPixel 0: positions in pixels.
    void setProfile(const beam::AxisProfile &profile, const std::vector<double> &fit, double umPerPixel);
    void clearProfile();

    QLineSeries *measured() const { return m_measured; }
    QLineSeries *fitted() const { return m_fitted; }
    QValueAxis *valueAxis() const { return m_value; }

    // How many intervals the intensity axis is divided into at the plot's present height: every
    // label gets the room of a line and a half, so that none is dropped for crowding.
    int valueIntervals() const;

private:
    void setValueRange();

    double m_low = 0, m_high = 1; // the intensities shown
    QLineSeries *m_measured = nullptr;
    QLineSeries *m_fitted = nullptr;
    QValueAxis *m_position = nullptr;
    QValueAxis *m_value = nullptr;
};

// The fitted Gaussian along a profile that runs through (cx, cy) in the direction (ax, ay).
std::vector<double> fitAlongProfile(const beam::GaussianFit &fit, const beam::AxisProfile &profile, double cx,
                                    double cy, double ax, double ay);

// The two profiles of a measurement (major, minor) drawn as the window and the report show them.
void showProfiles(ProfileChart &major, ProfileChart &minor, const beam::BeamWidths *widths, double cx, double cy,
                  double umPerPixel);

} // namespace lumetra

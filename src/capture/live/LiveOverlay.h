#pragma once

#include "analysis/beam/BeamMeasurement.h"

#include <QWidget>

#include <optional>

namespace lumetra {

// The centroid cross and the D4σ ellipse with its two axes, drawn over the live video for the eye
// only: a transparent widget above the video, never part of a frame that is stored.
class LiveOverlay : public QWidget
{
    Q_OBJECT

public:
    explicit LiveOverlay(QWidget *video);

    // The beam to draw; none (or no beam) draws nothing.
    void showBeam(std::optional<beam::BeamResult> result);
    const std::optional<beam::BeamResult> &beam() const { return m_beam; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::optional<beam::BeamResult> m_beam;
};

} // namespace lumetra

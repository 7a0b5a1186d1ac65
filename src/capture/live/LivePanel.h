#pragma once

#include "capture/live/LiveHistory.h"
#include "capture/live/LiveMeasurer.h"
#include "platform/settings/Calibration.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

class QChart;
class QLineSeries;
class QValueAxis;

namespace lumetra {

// What live measurement shows beside the video: a strip with the numbers of the newest frame
// (pixels, and micrometres when a pixel size is calibrated) over two small plots of the last
// minute, the centroid x / y and the D4σ diameters along x / y, each titled with the standard
// deviations over that minute. The plots are redrawn a few times a second, not for every frame.
class LivePanel : public QWidget
{
    Q_OBJECT

public:
    explicit LivePanel(QWidget *parent = nullptr);

    static constexpr int PanelWidth = 360;
    // The panel is as high as the video, but never lower than this.
    static constexpr int MinimumHeight = 440;

    void setCalibration(const Calibration &calibration) { m_calibration = calibration; }
    // The newest measurement and the history it went into.
    void showSample(const LiveSample &sample, const LiveHistory &history);
    // Plots and strip cleared.
    void reset();

    QLabel *strip() const { return m_strip; }
    QPushButton *recordButton() const { return m_record; }
    QString centroidTitle() const;
    QString diameterTitle() const;
    // Points on the centroid plot (x and y series together).
    int plottedPoints() const;

signals:
    // "记录…": the long-term recording window is wanted.
    void recordRequested();

private:
    struct Plot
    {
        QChart *chart = nullptr;
        QLineSeries *first = nullptr;
        QLineSeries *second = nullptr;
        QValueAxis *time = nullptr;
        QValueAxis *value = nullptr;
    };
    Plot makePlot(const QString &name, const QString &first, const QString &second);
    void refreshPlots();
    QString length(double px, int decimals = 1) const;
    QString stripText(const LiveSample &sample) const;

    QLabel *m_strip = nullptr;
    QPushButton *m_record = nullptr;
    Plot m_centroid;
    Plot m_diameter;
    QTimer *m_refresh = nullptr;
    const LiveHistory *m_history = nullptr;
    bool m_stale = false;
    Calibration m_calibration;
};

} // namespace lumetra

#pragma once

#include "analysis/monitoring/PointingStatistics.h"
#include "capture/live/LiveMeasurer.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace lumetra {

class CentroidScatterChart;
class MonitorSession;
class MonitorTrendChart;

// "长期记录": records the live measurement for minutes or hours. "记录" starts and stops a log
// (every frame, every N-th frame or one every T seconds) in the file named under it, with the
// start time added to the name; while it runs and after it ends the window shows the statistics
// over the whole recording and over the plots' window (1 min, 10 min, 1 h or 8 h, selectable),
// the centroid and D4σ plots of that window and the centroids' scatter with the 2σ ellipse.
// With the simulated camera the spot's drift and jitter can be set here.
class MonitorWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MonitorWindow(QWidget *parent = nullptr);
    ~MonitorWindow() override;

    void setCalibration(double umPerPixel) { m_umPerPixel = umPerPixel; }
    // A live measurement; dropped: frames the measurer has dropped so far.
    void offer(const LiveSample &sample, long long dropped);
    // Shows the simulated camera's controls; `apply` gets drift x, drift y (px/min) and jitter (px rms).
    void setSimulatedMotion(std::function<void(double, double, double)> apply);

    void setRecording(bool on);
    bool isRecording() const;
    // Redraws plots and figures now (the window does so twice a second while it records).
    void refresh();

    MonitorSession &session() const { return *m_session; }
    QString statusText() const;
    QString totalText() const;
    QString windowText() const;
    MonitorTrendChart *centroidChart() const { return m_centroid; }
    CentroidScatterChart *scatterChart() const { return m_scatter; }

private:
    monitoring::AngularReference reference() const;
    void sessionFailed(const QString &message);

    MonitorSession *m_session = nullptr;
    QPushButton *m_record = nullptr;
    QComboBox *m_pace = nullptr;
    QSpinBox *m_everyFrames = nullptr;
    QDoubleSpinBox *m_everySeconds = nullptr;
    QLineEdit *m_path = nullptr;
    QDoubleSpinBox *m_distance = nullptr;
    QComboBox *m_window = nullptr;
    QGroupBox *m_simulated = nullptr;
    QDoubleSpinBox *m_driftX = nullptr, *m_driftY = nullptr, *m_jitter = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_total = nullptr;
    QLabel *m_windowStats = nullptr;
    MonitorTrendChart *m_centroid = nullptr;
    MonitorTrendChart *m_diameter = nullptr;
    CentroidScatterChart *m_scatter = nullptr;
    QTimer *m_refresh = nullptr;
    std::function<void(double, double, double)> m_applyMotion;
    double m_umPerPixel = 0;
    bool m_stale = false;
};

} // namespace lumetra

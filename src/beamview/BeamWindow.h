#pragma once

#include "analysis/beam/BeamMeasurement.h"
#include "analysis/beam/estimate/BeamWidths.h"
#include "beamview/BeamLog.h"
#include "beamview/BeamReadout.h"
#include "platform/logging/LogWriter.h"
#include "beamview/BeamOverlay.h"
#include "beamview/BeamReportPicture.h"
#include "beamview/BeamSource.h"
#include "platform/ports/AppContext.h"
#include "platform/printing/PrintOutcome.h"

#include <QDateTime>
#include <QHash>
#include <QWidget>

#include <memory>
#include <optional>

class QCheckBox;
class QTimer;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QToolButton;
class QMenu;

namespace lumetra {

class BeamPictureView;
class BeamWidthsPanel;
class FalseColourMenu;
class ProfileChart;

// "光束参数": the beam measured on the workspace's file at full resolution (or on the capture
// window's picture when no workspace is open): centroid, D4σ diameters, angle, ellipticity, peak,
// dark level and noise, iterations, in pixels and, when calibrated, in µm; the widths beyond D4σ
// ("宽度": d86, knife edges, clip widths, Gaussian fit, ISO 13694 figures) with the two principal-
// axis profiles and the fit over them. Marks on the workspace picture (centroid, ellipse with
// axes, integration rectangle, D86 circle, Gaussian ellipse) on its overlay; a dark frame
// subtracted before every measurement; the values copied to the clipboard or logged to a file;
// the open curve window's cut moved through the centroid. One instance, non-modal.
class BeamWindow : public QWidget
{
    Q_OBJECT

public:
    // The open window of this context, or nullptr.
    static BeamWindow *instance(const AppContext &context);
    // Shows the window beside the workspace (hiding none of its picture) and measures.
    static BeamWindow *showWindow(AppContext &context);

    ~BeamWindow() override;

    // Measures the current frame again and shows the result.
    void measure();
    // The workspace's picture changed (another file, a new placement, a filter): the window
    // shows "未测量" without numbers or marks at once and measures again when the program is idle.
    void pictureChanged();
    bool measured() const { return !m_stale; }
    // Units follow a changed calibration.
    void calibrationChanged();

    // The last measurement (nullopt: nothing to measure, see statusText()).
    const std::optional<beam::BeamResult> &result() const { return m_result; }
    // The widths beyond D4σ of the last measurement (nullopt with result()).
    const std::optional<beam::BeamWidths> &widths() const { return m_widths; }
    BeamWidthsPanel *widthsPanel() const { return m_widthsPanel; }
    // The beam around its integration area in false colour, and its palette menu.
    BeamPictureView *pictureView() const { return m_pictureView; }
    FalseColourMenu *falseColourMenu() const { return m_falseColour; }
    ProfileChart *majorProfile() const { return m_majorProfile; }
    ProfileChart *minorProfile() const { return m_minorProfile; }
    const BeamSource &source() const { return m_source; }
    // The shown text of a value row in pixels and in µm, by its key ("centroidX", "dMajor", ...).
    QString pixelText(const QString &key) const;
    QString micronText(const QString &key) const;
    QLabel *sourceLabel() const { return m_sourceLabel; }
    QLabel *statusLabel() const { return m_status; }
    QLabel *saturationLabel() const { return m_saturation; }
    QLabel *darkLabel() const { return m_darkLabel; }
    QLabel *warningLabel() const { return m_warning; }
    // "已校正拖尾（列）" / "已校正拖尾（行）" when smear stripes were taken out.
    QLabel *stripeLabel() const { return m_stripes; }
    // "稳健（默认）" or "ISO 11146（严格）": the method of the measurement.
    QComboBox *methodChoice() const { return m_method; }
    QCheckBox *shapeSwitch(const QString &key) const { return m_switches.value(key); }
    const BeamOverlay &overlay() const { return m_overlay; }
    bool darkFrameInUse() const { return m_dark.has_value(); }

    // "实时": the capture window's frames measured as they come (at the camera's depth, every
    // width and the warnings), the newest frame winning; false with a message when there is no
    // capture window. The workspace's file is not measured meanwhile.
    bool setLive(bool on);
    bool isLive() const;
    QCheckBox *liveSwitch() const { return m_liveSwitch; }
    // Frames measured live since the switch went on.
    long long liveFrames() const { return m_liveFrames; }
    // "记录": every frame measured live appended to a CSV log (asked for once), in the columns
    // chosen under "列"; off, the log is closed and announced.
    bool setRecording(bool on);
    bool isRecording() const { return m_recordLog != nullptr; }
    QString recordingPath() const { return m_recordPath; }
    // Every column the window can copy and log (names with units), and those the log takes.
    QStringList allColumns() const;
    QStringList logColumns() const;
    void setLogColumns(const QStringList &names);

    // The buttons' commands.
    void copyValues();
    void exportRow();
    bool cutThroughCentroid();
    void takeDarkFromCapture();
    void takeDarkFromFile();
    void clearDark();
    // "报告…": one A4 page of the measurement on the printer (a PDF file when the system has
    // none); the outcome is announced, a failure shown.
    PrintOutcome printReport();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    explicit BeamWindow(AppContext &context);

    void buildValueGrid(QGridLayout *grid);
    void showResult();
    void showValues(bool present);
    void updateOverlay();
    OverlayShapes chosenShapes() const;
    void setWorkspaceMark(const QString &mark);
    // A CSV (or other) file to log to, asked for by the save dialog; nothing when cancelled.
    std::optional<QString> askLogFile(const QString &title, const QString &filter, const QString &fileName);
    bool chooseLog();
    struct LiveSlot;
    void startLiveJob();
    void takeLiveResult(const std::shared_ptr<LiveSlot> &slot);
    // Every figure shown: the D4σ values and the widths, names with units.
    BeamReadout fullReadout() const;
    QStringList logged(const QStringList &names, const QStringList &values) const;
    // A warning; without a title it is headed "提示" (a hint).
    void message(const QString &text, const QString &title = QString());

    AppContext &m_context;
    BeamSource m_source;
    std::optional<beam::BeamResult> m_result;
    std::optional<beam::BeamWidths> m_widths;
    BeamPicture m_picture; // the frame about the beam, for the report
    QDateTime m_measuredAt;
    std::optional<beam::BeamFrame> m_dark;
    QString m_darkName;
    bool m_darkSizeMismatch = false;
    beam::BeamOptions m_options;
    BeamOverlay m_overlay;
    BeamLog m_log;
    std::shared_ptr<LiveSlot> m_liveSlot;
    QTimer *m_liveWatch = nullptr; // while live: whether the capture window is still there
    long long m_liveFrames = 0;
    std::unique_ptr<LogWriter> m_recordLog;
    QString m_recordPath;
    QStringList m_unloggedColumns;
    QCheckBox *m_liveSwitch = nullptr;
    QPushButton *m_recordButton = nullptr;
    QMenu *m_columnsMenu = nullptr;

    QLabel *m_sourceLabel = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_saturation = nullptr;
    QLabel *m_warning = nullptr;
    QLabel *m_darkLabel = nullptr;
    QLabel *m_stripes = nullptr;
    QComboBox *m_method = nullptr;
    bool m_stale = false;          // the picture changed since the last measurement
    bool m_measurePending = false; // a measurement is queued
    QHash<QString, QLabel *> m_pixelLabels;
    QHash<QString, QLabel *> m_micronLabels;
    QHash<QString, QCheckBox *> m_switches;
    BeamWidthsPanel *m_widthsPanel = nullptr;
    BeamPictureView *m_pictureView = nullptr;
    FalseColourMenu *m_falseColour = nullptr;
    ProfileChart *m_majorProfile = nullptr;
    ProfileChart *m_minorProfile = nullptr;
};

} // namespace lumetra

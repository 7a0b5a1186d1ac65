#pragma once

#include "analysis/caustic/CausticSeries.h"
#include "platform/ports/AppContext.h"
#include "platform/printing/PrintOutcome.h"

#include <QPointer>
#include <QWidget>

class QAction;
class QChartView;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace lumetra {

class CausticChart;
class CausticFrameModel;
class CausticResultsTable;
class FrameMeasureQueue;

// The M² window: frames taken at several z through a focus are added (file dialog or dropped
// files), measured in the background and listed with their z (from the names, editable) and
// diameters; the caustic chart and the ISO 11146-1 fit of both axes follow every change. Frames
// whose beam measurement carries warnings say so in the table and can be left out of the fit.
// Wavelength (150 nm .. 20 µm, in nanometres), pixel size, axes and that choice are remembered
// between sessions. The table with the results
// exports to a workbook, the chart to PNG or PDF; "报告…" prints the whole measurement on one
// page. One window at a time.
class CausticWindow : public QWidget
{
    Q_OBJECT

public:
    static CausticWindow *instance();
    static CausticWindow *showWindow(AppContext &context);
    // Makes `command` (the main menu's "M²…") open the window.
    static void openOnTrigger(QAction *command, AppContext &context);
    ~CausticWindow() override;

    // Where the remembered fields are kept.
    static QString settingsPath();

    void addFrames(const QStringList &paths);
    void addFrames_Click();
    void clearFrames_Click();
    void exportTable_Click();
    void exportPlot_Click();
    // "报告…": one A4 page of the measurement on the printer (a PDF file when the system has
    // none): chart, fit per axis with the ISO check, frame table; the outcome is announced.
    PrintOutcome printReport();

    bool measuring() const;
    beam::CausticSeries currentSeries() const;

    CausticFrameModel &frameModel() { return *m_model; }
    QTableView *frameTable() const { return m_table; }
    QProgressBar *progress() const { return m_progress; }
    QDoubleSpinBox *wavelength() const { return m_wavelength; }
    QDoubleSpinBox *pixelSize() const { return m_pixelSize; }
    QComboBox *axes() const { return m_axes; }
    // "排除有警告的帧": frames whose beam measurement carries warnings are left out of the fit.
    QCheckBox *excludeWarned() const { return m_excludeWarned; }
    CausticChart *chart() const { return m_chart; }
    QChartView *chartView() const { return m_chartView; }
    CausticResultsTable *results() const { return m_results; }
    QLabel *note() const { return m_note; }
    // In red, one line per doubtful fit: "x：M² < 1 不符合物理规律：请检查波长和像素尺寸".
    QLabel *warnings() const { return m_warnings; }

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    explicit CausticWindow(AppContext &context, QWidget *parent = nullptr);
    QWidget *buildControls();
    void restoreSettings();
    void rememberSettings() const;
    void refresh();
    void updateProgress();
    std::optional<QString> askSavePath(const QString &title, const QString &filter, const QString &suffix);
    void reportSaveFailure(const QString &reason);

    AppContext &m_context;
    CausticFrameModel *m_model = nullptr;
    FrameMeasureQueue *m_queue = nullptr;
    QTableView *m_table = nullptr;
    QProgressBar *m_progress = nullptr;
    QDoubleSpinBox *m_wavelength = nullptr;
    QDoubleSpinBox *m_pixelSize = nullptr;
    QComboBox *m_axes = nullptr;
    QCheckBox *m_excludeWarned = nullptr;
    CausticChart *m_chart = nullptr;
    QChartView *m_chartView = nullptr;
    CausticResultsTable *m_results = nullptr;
    QLabel *m_note = nullptr;
    QLabel *m_warnings = nullptr;

    static QPointer<CausticWindow> s_instance;
};

} // namespace lumetra

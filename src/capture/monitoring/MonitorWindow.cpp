#include "capture/monitoring/MonitorWindow.h"

#include "capture/monitoring/CentroidScatterChart.h"
#include "capture/monitoring/MonitorSession.h"
#include "capture/monitoring/MonitorStatisticsText.h"
#include "capture/monitoring/MonitorTrendChart.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

namespace lumetra {

namespace {

QDoubleSpinBox *spin(QWidget *parent, const QString &name, double lo, double hi, double value, int decimals,
                     const QString &suffix)
{
    auto *s = new QDoubleSpinBox(parent);
    s->setObjectName(name);
    s->setRange(lo, hi);
    s->setDecimals(decimals);
    s->setValue(value);
    s->setSuffix(suffix);
    return s;
}

} // namespace

MonitorWindow::MonitorWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("monitorWindow"));
    setWindowTitle(tr("长期记录"));
    m_session = new MonitorSession(this);
    connect(m_session, &MonitorSession::failed, this, &MonitorWindow::sessionFailed);

    auto *layout = new QVBoxLayout(this);
    auto *controls = new QHBoxLayout;
    m_record = new QPushButton(tr("记录"), this);
    m_record->setObjectName(QStringLiteral("monitorRecord"));
    m_record->setCheckable(true);
    m_pace = new QComboBox(this);
    m_pace->setObjectName(QStringLiteral("monitorPace"));
    m_pace->addItems({tr("每帧"), tr("每 N 帧"), tr("每 T 秒")});
    m_everyFrames = new QSpinBox(this);
    m_everyFrames->setObjectName(QStringLiteral("monitorEveryFrames"));
    m_everyFrames->setRange(1, 1000000);
    m_everyFrames->setValue(10);
    m_everyFrames->setPrefix(QStringLiteral("N = "));
    m_everySeconds = spin(this, QStringLiteral("monitorEverySeconds"), 0.04, 3600, 1.0, 2, QStringLiteral(" s"));
    m_everySeconds->setPrefix(QStringLiteral("T = "));
    m_window = new QComboBox(this);
    m_window->setObjectName(QStringLiteral("monitorWindowSpan"));
    m_window->addItems({tr("1 分钟"), tr("10 分钟"), tr("1 小时"), tr("8 小时")});
    controls->addWidget(m_record);
    controls->addWidget(m_pace);
    controls->addWidget(m_everyFrames);
    controls->addWidget(m_everySeconds);
    controls->addStretch(1);
    controls->addWidget(new QLabel(tr("窗口"), this));
    controls->addWidget(m_window);
    layout->addLayout(controls);

    auto *form = new QFormLayout;
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("monitorLogPath"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    m_path->setText(QDir(documents.isEmpty() ? QDir::homePath() : documents).filePath(QStringLiteral("beam-monitor.csv")));
    m_path->setToolTip(tr("文件名后自动加上开始时间；已有文件从不覆盖"));
    m_distance = spin(this, QStringLiteral("monitorDistance"), 0, 1e6, 0, 1, QStringLiteral(" mm"));
    m_distance->setSpecialValueText(tr("未给定"));
    form->addRow(tr("记录文件"), m_path);
    form->addRow(tr("距光源距离或透镜焦距"), m_distance);
    layout->addLayout(form);

    m_simulated = new QGroupBox(tr("模拟相机"), this);
    auto *sim = new QHBoxLayout(m_simulated);
    m_driftX = spin(m_simulated, QStringLiteral("simulatedDriftX"), -1000, 1000, 0, 2, QStringLiteral(" px/min"));
    m_driftY = spin(m_simulated, QStringLiteral("simulatedDriftY"), -1000, 1000, 0, 2, QStringLiteral(" px/min"));
    m_jitter = spin(m_simulated, QStringLiteral("simulatedJitter"), 0, 100, 0, 2, QStringLiteral(" px rms"));
    sim->addWidget(new QLabel(tr("漂移 x"), m_simulated));
    sim->addWidget(m_driftX);
    sim->addWidget(new QLabel(QStringLiteral("y"), m_simulated));
    sim->addWidget(m_driftY);
    sim->addWidget(new QLabel(tr("抖动"), m_simulated));
    sim->addWidget(m_jitter);
    m_simulated->hide();
    layout->addWidget(m_simulated);

    m_status = new QLabel(tr("未记录"), this);
    m_status->setObjectName(QStringLiteral("monitorStatus"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_status);

    auto *grid = new QGridLayout;
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("monitorTotal"));
    m_windowStats = new QLabel(this);
    m_windowStats->setObjectName(QStringLiteral("monitorWindowStats"));
    for (QLabel *l : {m_total, m_windowStats}) {
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setMinimumHeight(8 * l->fontMetrics().lineSpacing());
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_centroid = new MonitorTrendChart(MonitorTrendChart::Kind::Centroid, this);
    m_diameter = new MonitorTrendChart(MonitorTrendChart::Kind::Diameter, this);
    m_scatter = new CentroidScatterChart(this);
    for (QWidget *chart : std::initializer_list<QWidget *>{m_centroid, m_diameter, m_scatter})
        chart->setMinimumSize(240, 180);
    grid->addWidget(m_total, 0, 0);
    grid->addWidget(m_windowStats, 0, 1);
    grid->addWidget(m_centroid, 1, 0);
    grid->addWidget(m_scatter, 1, 1, 2, 1);
    grid->addWidget(m_diameter, 2, 0);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(2, 1);
    layout->addLayout(grid, 1);

    const auto paceShown = [this] {
        m_everyFrames->setVisible(m_pace->currentIndex() == 1);
        m_everySeconds->setVisible(m_pace->currentIndex() == 2);
    };
    connect(m_pace, &QComboBox::currentIndexChanged, this, paceShown);
    paceShown();
    connect(m_record, &QPushButton::toggled, this, &MonitorWindow::setRecording);
    connect(m_window, &QComboBox::currentIndexChanged, this, &MonitorWindow::refresh);
    connect(m_distance, &QDoubleSpinBox::valueChanged, this, &MonitorWindow::refresh);
    for (QDoubleSpinBox *s : {m_driftX, m_driftY, m_jitter})
        connect(s, &QDoubleSpinBox::valueChanged, this, [this] {
            if (m_applyMotion)
                m_applyMotion(m_driftX->value(), m_driftY->value(), m_jitter->value());
        });
    m_refresh = new QTimer(this);
    m_refresh->setInterval(500);
    connect(m_refresh, &QTimer::timeout, this, [this] {
        if (m_stale)
            refresh();
    });
    m_refresh->start();
    resize(980, 720);
    refresh();
}

MonitorWindow::~MonitorWindow() = default;

void MonitorWindow::setSimulatedMotion(std::function<void(double, double, double)> apply)
{
    m_applyMotion = std::move(apply);
    m_simulated->setVisible(bool(m_applyMotion));
}

monitoring::AngularReference MonitorWindow::reference() const
{
    return {m_distance->value()};
}

bool MonitorWindow::isRecording() const
{
    return m_session->isRecording();
}

void MonitorWindow::setRecording(bool on)
{
    if (on == m_session->isRecording()) {
        m_record->setChecked(on);
        return;
    }
    if (on) {
        monitoring::MonitorPace pace;
        pace.kind = monitoring::MonitorPace::Kind(m_pace->currentIndex());
        pace.frames = m_everyFrames->value();
        pace.seconds = m_everySeconds->value();
        QString error;
        if (!m_session->start(m_path->text(), pace, m_umPerPixel, &error)) {
            m_status->setStyleSheet(QStringLiteral("color: #c00000"));
            m_status->setText(tr("无法开始记录：%1").arg(error));
            m_record->setChecked(false);
            return;
        }
        m_status->setStyleSheet(QString());
        m_status->setText(tr("正在记录到 %1").arg(m_session->path()));
    } else {
        m_session->stop();
        m_status->setText(tr("记录结束：%1 行已写入 %2").arg(m_session->linesSynced()).arg(m_session->path()));
    }
    for (QWidget *w : std::initializer_list<QWidget *>{m_pace, m_everyFrames, m_everySeconds, m_path})
        w->setEnabled(!on);
    m_record->setText(on ? tr("停止记录") : tr("记录"));
    m_record->setChecked(on);
    refresh();
}

void MonitorWindow::sessionFailed(const QString &message)
{
    m_status->setStyleSheet(QStringLiteral("color: #c00000"));
    m_status->setText(message);
    for (QWidget *w : std::initializer_list<QWidget *>{m_pace, m_everyFrames, m_everySeconds, m_path})
        w->setEnabled(true);
    m_record->blockSignals(true);
    m_record->setChecked(false);
    m_record->setText(tr("记录"));
    m_record->blockSignals(false);
    refresh();
}

void MonitorWindow::offer(const LiveSample &sample, long long dropped)
{
    if (!m_session->isRecording())
        return;
    m_session->offer(sample, dropped);
    m_stale = true;
}

void MonitorWindow::refresh()
{
    m_stale = false;
    const auto &recorder = m_session->recorder();
    const int window = m_window->currentIndex();
    const double k = m_session->recorder().recorded() > 0 ? m_session->umPerPixel() : m_umPerPixel;
    const auto total = monitoring::PointingStatistics::of(recorder.total());
    const auto windowed = monitoring::PointingStatistics::of(recorder.history().windowMoments(window));
    const QString head = recorder.recorded() > 0
                             ? tr("全程（无光斑 %1 帧，丢帧 %2）").arg(recorder.withoutBeam()).arg(m_session->dropped())
                             : tr("全程");
    m_total->setText(monitorStatisticsText(head, total, k, reference()));
    m_windowStats->setText(monitorStatisticsText(tr("窗口 %1").arg(m_window->currentText()), windowed, k, reference()));
    m_centroid->showWindow(recorder.history(), window, k);
    m_diameter->showWindow(recorder.history(), window, k);
    m_scatter->showPoints(recorder.recentCentroids(), windowed, k);
}

QString MonitorWindow::statusText() const
{
    return m_status->text();
}

QString MonitorWindow::totalText() const
{
    return m_total->text();
}

QString MonitorWindow::windowText() const
{
    return m_windowStats->text();
}

} // namespace lumetra

#include "capture/monitoring/RecordingIndicator.h"

#include "capture/monitoring/MonitorSession.h"
#include "capture/monitoring/MonitorWindow.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTime>

namespace lumetra {

RecordingIndicator::RecordingIndicator(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("recordingIndicator"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_label = new QLabel(this);
    m_label->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_stop = new QPushButton(tr("停止"), this);
    m_stop->setObjectName(QStringLiteral("stopRecording"));
    row->addWidget(m_label);
    row->addWidget(m_stop);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        if (m_window)
            m_window->setRecording(false);
        refresh();
    });
    hide();
}

void RecordingIndicator::follow(MonitorWindow *window)
{
    m_window = window;
    refresh();
}

void RecordingIndicator::refresh()
{
    const bool recording = m_window && m_window->isRecording();
    if (!recording) {
        m_since.invalidate();
        hide();
        return;
    }
    if (!m_since.isValid())
        m_since.start();
    const QTime running = QTime(0, 0).addMSecs(m_since.elapsed());
    m_label->setText(tr("● 记录中 %1 → %2")
                         .arg(running.toString(QStringLiteral("HH:mm:ss")),
                              QDir::toNativeSeparators(m_window->session().path())));
    show();
}

} // namespace lumetra

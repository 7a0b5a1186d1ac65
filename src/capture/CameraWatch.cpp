#include "capture/CameraWatch.h"

#include "capture/CameraMenu.h"
#include "capture/CaptureCardControl.h"
#include "capture/CaptureWindow.h"

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace lumetra {

CameraWatch::CameraWatch(CaptureWindow &window, CameraMenu &menu) : QObject(&window), m_window(window), m_menu(menu)
{
    m_label = new QLabel(&window);
    m_label->setObjectName(QStringLiteral("cameraNoAnswer"));
    m_label->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_label->hide();
    window.statusBar()->addPermanentWidget(m_label);
    m_timer = new QTimer(this);
    m_timer->setInterval(RetryMs);
    connect(m_timer, &QTimer::timeout, this, &CameraWatch::retry);
}

void CameraWatch::setRetryInterval(int ms)
{
    m_timer->setInterval(ms);
}

void CameraWatch::cameraLost(const QDateTime &when)
{
    m_lost = true;
    m_window.card->setStale(true);
    m_window.showFrameRate(0);
    m_label->setText(tr("相机无应答（%1 起），每 %2 秒重试")
                         .arg(when.toString(QStringLiteral("HH:mm:ss")))
                         .arg(m_timer->interval() / 1000.0, 0, 'g', 2));
    m_label->show();
    m_timer->start();
}

void CameraWatch::cameraBack()
{
    m_lost = false;
    m_timer->stop();
    m_label->hide();
}

void CameraWatch::retry()
{
    if (m_lost)
        m_menu.reconnect(CameraMenu::Quietly);
}

} // namespace lumetra

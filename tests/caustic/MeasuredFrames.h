#pragma once

#include "caustic/CausticFrameModel.h"
#include "caustic/CausticWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace lumetra::test {

// Lets the window's measurements run until every frame added is measured (false after a minute).
inline bool waitUntilMeasured(CausticWindow &w)
{
    QElapsedTimer timer;
    timer.start();
    while (w.measuring() || w.frameModel().measuredCount() < w.frameModel().rowCount()) {
        if (timer.elapsed() > 60000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    QCoreApplication::processEvents();
    return true;
}

} // namespace lumetra::test

#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QRgb>
#include <QThread>

#include <cstdlib>
#include <functional>

namespace lumetra::test {

// Runs the event loop until `done` holds or `timeoutMs` passes; returns whether it held.
inline bool waitFor(const std::function<bool()> &done, int timeoutMs = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(2);
    }
    return true;
}

// Whether two colours agree within `tolerance` levels in every channel.
inline bool closeColour(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Mean of a channel (0 red, 1 green, 2 blue) over a picture.
inline double channelMean(const QImage &image, int channel)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            sum += channel == 0 ? qRed(p) : channel == 1 ? qGreen(p) : qBlue(p);
        }
    return sum / (double(image.width()) * image.height());
}

} // namespace lumetra::test

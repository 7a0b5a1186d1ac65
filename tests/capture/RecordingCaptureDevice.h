#pragma once

#include "devices/CaptureDevice.h"

#include <QStringList>

#include <memory>
#include <mutex>

namespace lumetra::test {

// Passes every call on to a real device and writes it down ("connect", "format(640,480,0)",
// "standard=1", "read format", ...), so that tests can check the order of the card's operations.
// The log is shared, so it outlives the device.
class RecordingCaptureDevice : public CaptureDevice
{
public:
    struct Log
    {
        std::mutex mutex;
        QStringList calls;
        QStringList take()
        {
            std::lock_guard lock(mutex);
            QStringList result = calls;
            calls.clear();
            return result;
        }
        void add(const QString &call)
        {
            std::lock_guard lock(mutex);
            calls << call;
        }
    };

    RecordingCaptureDevice(std::unique_ptr<CaptureDevice> inner, std::shared_ptr<Log> log)
        : m_inner(std::move(inner)), m_log(std::move(log))
    {
    }

    int connectDevice() override { return note(QStringLiteral("connect")), m_inner->connectDevice(); }
    bool isConnected() const override { return m_inner->isConnected(); }
    void release() override { note(QStringLiteral("release")), m_inner->release(); }
    int standard() const override { return note(QStringLiteral("read standard")), m_inner->standard(); }
    void setStandard(int s) override { note(QStringLiteral("standard=%1").arg(s)), m_inner->setStandard(s); }
    int input() const override { return note(QStringLiteral("read input")), m_inner->input(); }
    void setInput(int i) override { note(QStringLiteral("input=%1").arg(i)), m_inner->setInput(i); }
    int pictureControl(PictureControl c) const override
    {
        return note(QStringLiteral("read picture%1").arg(int(c))), m_inner->pictureControl(c);
    }
    void setPictureControl(PictureControl c, int v) override
    {
        note(QStringLiteral("picture%1=%2").arg(int(c)).arg(v)), m_inner->setPictureControl(c, v);
    }
    bool setFormat(int w, int h, int s) override
    {
        return note(QStringLiteral("format(%1,%2,%3)").arg(w).arg(h).arg(s)), m_inner->setFormat(w, h, s);
    }
    VideoFormat format() const override { return note(QStringLiteral("read format")), m_inner->format(); }
    bool signalPresent() const override
    {
        return note(QStringLiteral("read signal")), m_inner->signalPresent();
    }
    void run() override { note(QStringLiteral("run")), m_inner->run(); }
    void pause() override { note(QStringLiteral("pause")), m_inner->pause(); }
    void stop() override { note(QStringLiteral("stop")), m_inner->stop(); }
    StreamState streamState() const override { return m_inner->streamState(); }
    void setSinks(FrameSink f, FailureSink e) override { m_inner->setSinks(std::move(f), std::move(e)); }
    QList<DeviceControl> controls() const override { return m_inner->controls(); }
    void setControl(quint32 id, int v) override
    {
        note(QStringLiteral("control")), m_inner->setControl(id, v);
    }
    QStringList inputNames() const override { return m_inner->inputNames(); }
    QString lastSettingRefusal() const override { return m_inner->lastSettingRefusal(); }
    QList<QSize> frameSizes() const override { return m_inner->frameSizes(); }

    CaptureDevice &inner() { return *m_inner; }

private:
    void note(const QString &call) const { m_log->add(call); }

    std::unique_ptr<CaptureDevice> m_inner;
    std::shared_ptr<Log> m_log;
};

} // namespace lumetra::test

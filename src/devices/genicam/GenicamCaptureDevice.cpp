#include "devices/genicam/GenicamCaptureDevice.h"

#include "devices/genicam/DeepDisplay.h"
#include "devices/genicam/GenicamCamera.h"
#include "types/MessageLanguage.h"

namespace lumetra {

namespace {

constexpr int PollMs = 50;
// Frames still on their way when the exposure changed (the stream's 8 buffers, the one being
// read out and the one being handed over): the auto exposure skips them. Fewer let a loaded
// machine feed it frames of the old exposure.
constexpr int FramesInFlight = 10;

QString cameraNotConnected()
{
    return messageText("相机未连接", "the camera is not connected");
}

} // namespace

GenicamCaptureDevice::GenicamCaptureDevice(const QString &id)
    : GenicamCaptureDevice(id, [id](QString *error) { return GenicamCamera::open(id, error); })
{
}

GenicamCaptureDevice::GenicamCaptureDevice(QString id, Opener opener) : m_id(std::move(id)), m_opener(std::move(opener))
{
    m_identity.id = m_id;
}

GenicamCaptureDevice::~GenicamCaptureDevice()
{
    release();
}

int GenicamCaptureDevice::connectDevice()
{
    {
        std::lock_guard lock(m_cameraMutex);
        if (m_camera && !m_camera->controlLost())
            return 0;
    }
    stopThread(); // a camera that went away mid-stream is opened again
    std::lock_guard lock(m_cameraMutex);
    m_camera.reset();
    m_state = StreamState::Stopped;
    QString error;
    m_camera = m_opener(&error);
    if (!m_camera)
        return -1;
    m_identity = m_camera->identity();
    return 0;
}

bool GenicamCaptureDevice::isConnected() const
{
    std::lock_guard lock(m_cameraMutex);
    return m_camera != nullptr && !m_camera->controlLost();
}

void GenicamCaptureDevice::release()
{
    stopThread();
    std::lock_guard lock(m_cameraMutex);
    m_camera.reset();
    m_state = StreamState::Stopped;
}

bool GenicamCaptureDevice::setFormat(int, int, int)
{
    if (!isConnected())
        return false;
    run();
    return m_state == StreamState::Running;
}

VideoFormat GenicamCaptureDevice::format() const
{
    std::lock_guard lock(m_cameraMutex);
    if (!m_camera)
        return {};
    const QRect roi = m_camera->settings().roi;
    return {roi.width(), roi.height(), -1};
}

bool GenicamCaptureDevice::signalPresent() const
{
    return isConnected();
}

void GenicamCaptureDevice::run()
{
    if (m_state == StreamState::Running)
        return;
    {
        std::lock_guard lock(m_cameraMutex);
        if (!m_camera)
            return;
        QString error;
        if (!m_camera->start(&error)) {
            if (m_failures)
                m_failures(error);
            return;
        }
    }
    startThread();
    m_state = StreamState::Running;
}

void GenicamCaptureDevice::pause()
{
    stop();
    m_state = StreamState::Paused;
}

void GenicamCaptureDevice::stop()
{
    stopThread();
    std::lock_guard lock(m_cameraMutex);
    if (m_camera && m_camera->isStreaming()) {
        m_droppedBefore += m_camera->droppedFrames();
        m_camera->stop();
    }
    m_state = StreamState::Stopped;
}

void GenicamCaptureDevice::setSinks(FrameSink frames, FailureSink failures)
{
    m_frames = std::move(frames);
    m_failures = std::move(failures);
}

bool GenicamCaptureDevice::setDeepFrameSink(DeepFrameSink sink)
{
    m_deepFrames = std::move(sink);
    return true;
}

QStringList GenicamCaptureDevice::inputNames() const
{
    return {m_identity.model.isEmpty() ? m_id : m_identity.model};
}

QList<QSize> GenicamCaptureDevice::frameSizes() const
{
    const VideoFormat f = format();
    return {QSize(f.width, f.height)};
}

void GenicamCaptureDevice::startThread()
{
    m_thread = std::jthread([this](std::stop_token stop) { stream(stop); });
}

void GenicamCaptureDevice::stopThread()
{
    if (m_thread.joinable()) {
        m_thread.request_stop();
        if (m_thread.get_id() != std::this_thread::get_id())
            m_thread.join();
        else
            m_thread.detach();
    }
    if (m_autoRunning.exchange(false)) {
        std::function<void(bool, const QString &)> done;
        {
            std::lock_guard autoLock(m_autoMutex);
            done = std::move(m_autoDone);
        }
        if (done)
            done(false, messageText("视频流已停止，自动曝光中断", "the video stream stopped; auto exposure interrupted"));
    }
}

void GenicamCaptureDevice::stream(std::stop_token stop)
{
    while (!stop.stop_requested()) {
        auto frame = std::make_shared<DeepFrame>();
        GenicamCamera::Grab grab;
        QString error;
        {
            std::lock_guard lock(m_cameraMutex);
            if (!m_camera)
                return;
            grab = m_camera->next(*frame, PollMs, &error);
        }
        if (grab == GenicamCamera::Grab::Timeout)
            continue;
        if (grab == GenicamCamera::Grab::Lost) {
            if (m_failures)
                m_failures(error);
            return;
        }
        if (m_autoRunning)
            autoExposureStep(*frame);
        const QImage display = deepDisplayImage(*frame);
        if (m_deepFrames)
            m_deepFrames(display, std::move(frame));
        else if (m_frames)
            m_frames(display);
    }
}

template <typename F>
QString GenicamCaptureDevice::whileStopped(F change)
{
    const bool running = m_state == StreamState::Running;
    if (running)
        stop();
    QString answer;
    {
        std::lock_guard lock(m_cameraMutex);
        answer = m_camera ? change(*m_camera) : cameraNotConnected();
    }
    if (running)
        run();
    return answer;
}

CameraIdentity GenicamCaptureDevice::identity() const
{
    return m_identity;
}

CameraLimits GenicamCaptureDevice::limits() const
{
    std::lock_guard lock(m_cameraMutex);
    return m_camera ? m_camera->limits() : CameraLimits{};
}

CameraSettings GenicamCaptureDevice::settings() const
{
    std::lock_guard lock(m_cameraMutex);
    return m_camera ? m_camera->settings() : CameraSettings{};
}

QString GenicamCaptureDevice::setExposureUs(double exposureUs)
{
    std::lock_guard lock(m_cameraMutex);
    return m_camera ? m_camera->setExposureUs(exposureUs) : cameraNotConnected();
}

QString GenicamCaptureDevice::setGain(double gain)
{
    std::lock_guard lock(m_cameraMutex);
    return m_camera ? m_camera->setGain(gain) : cameraNotConnected();
}

QString GenicamCaptureDevice::setFrameRate(double framesPerSecond)
{
    std::lock_guard lock(m_cameraMutex);
    return m_camera ? m_camera->setFrameRate(framesPerSecond) : cameraNotConnected();
}

QString GenicamCaptureDevice::setRoi(const QRect &roi)
{
    return whileStopped([&roi](GenicamCamera &camera) { return camera.setRoi(roi); });
}

QString GenicamCaptureDevice::setBinning(int binning)
{
    return whileStopped([binning](GenicamCamera &camera) { return camera.setBinning(binning); });
}

QString GenicamCaptureDevice::setPixelFormat(const QString &name)
{
    return whileStopped([&name](GenicamCamera &camera) { return camera.setPixelFormat(name); });
}

long long GenicamCaptureDevice::droppedFrames() const
{
    std::lock_guard lock(m_cameraMutex);
    return m_droppedBefore + (m_camera && m_camera->isStreaming() ? m_camera->droppedFrames() : 0);
}

bool GenicamCaptureDevice::startAutoExposure(std::function<void(bool, const QString &)> done)
{
    if (m_state != StreamState::Running)
        return false;
    std::lock_guard autoLock(m_autoMutex);
    {
        std::lock_guard lock(m_cameraMutex);
        if (!m_camera)
            return false;
        m_auto.emplace(m_camera->limits().exposureUs, m_camera->settings().exposureUs);
    }
    m_autoDone = std::move(done);
    m_autoSkip = FramesInFlight;
    m_autoRunning = true;
    return true;
}

void GenicamCaptureDevice::autoExposureStep(const DeepFrame &frame)
{
    std::unique_lock autoLock(m_autoMutex);
    if (!m_auto)
        return;
    if (m_autoSkip > 0) {
        --m_autoSkip;
        return;
    }
    if (m_auto->state() == AutoExposure::State::Trying)
        m_auto->feed(frame);
    if (m_auto->state() == AutoExposure::State::Trying) {
        QString refused;
        {
            std::lock_guard lock(m_cameraMutex);
            refused = m_camera ? m_camera->setExposureUs(m_auto->exposureUs()) : cameraNotConnected();
        }
        if (refused.isEmpty()) {
            m_autoSkip = FramesInFlight;
            return;
        }
        m_autoRunning = false;
        auto done = std::move(m_autoDone);
        autoLock.unlock();
        if (done)
            done(false, refused);
        return;
    }
    const bool found = m_auto->state() == AutoExposure::State::Done;
    const QString message = m_auto->message();
    m_autoRunning = false;
    auto done = std::move(m_autoDone);
    autoLock.unlock();
    if (done)
        done(found, message);
}

} // namespace lumetra

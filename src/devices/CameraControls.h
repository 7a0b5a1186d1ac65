#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

namespace lumetra {

// Who a camera is, as listed and as opened.
struct CameraIdentity
{
    QString id;       // what opens it again: the interface's device id
    QString vendor;
    QString model;
    QString serial;
    QString protocol; // "GigEVision", "USB3Vision", "Fake"
    QString address;  // IP address, USB bus location; empty when there is none
};

// A setting's bounds as the camera reports them; `available` false when the camera has no such
// setting.
struct SettingRange
{
    bool available = false;
    double minimum = 0;
    double maximum = 0;
};

struct CameraLimits
{
    SettingRange exposureUs;
    SettingRange gain;
    SettingRange frameRate;
    SettingRange binning;
    int sensorWidth = 0;
    int sensorHeight = 0;
    bool roiAvailable = false;
    QStringList pixelFormats; // the grey formats the camera offers, by their GenICam names
};

// The settings in force, as read back from the camera.
struct CameraSettings
{
    double exposureUs = 0;
    double gain = 0;
    double frameRate = 0;
    QRect roi;
    int binning = 1;
    QString pixelFormat;
    int bitDepth = 8;
};

// The controls of a scientific camera beyond what every capture device has. Each setter asks
// the camera, reads back what it took and answers an empty string; a refused value leaves the
// setting in force and the answer says which setting and why.
class CameraControls
{
public:
    virtual ~CameraControls() = default;

    virtual CameraIdentity identity() const = 0;
    virtual CameraLimits limits() const = 0;
    virtual CameraSettings settings() const = 0;

    virtual QString setExposureUs(double exposureUs) = 0;
    virtual QString setGain(double gain) = 0;
    virtual QString setFrameRate(double framesPerSecond) = 0;
    virtual QString setRoi(const QRect &roi) = 0;
    virtual QString setBinning(int binning) = 0;
    virtual QString setPixelFormat(const QString &name) = 0;

    // Frames the camera sent incompletely (lost packets) since the stream started: never
    // delivered.
    virtual long long droppedFrames() const = 0;
};

// The exposure (µs) and gain in force on a camera, each empty when the camera has no such
// setting: a log leaves the field empty rather than writing 0.
struct CameraReadings
{
    std::optional<double> exposureUs;
    std::optional<double> gain;
};

inline CameraReadings readCamera(const CameraControls &camera)
{
    const CameraLimits limits = camera.limits();
    const CameraSettings settings = camera.settings();
    CameraReadings r;
    if (limits.exposureUs.available)
        r.exposureUs = settings.exposureUs;
    if (limits.gain.available)
        r.gain = settings.gain;
    return r;
}

} // namespace lumetra

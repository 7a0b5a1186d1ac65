#pragma once

#include "capture/ModalRunner.h"
#include "capture/VideoColouring.h"
#include "devices/CaptureDevice.h"
#include "types/Palette.h"

#include <QImage>
#include <QVariant>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class QPaintEvent;

namespace lumetra {

class ColourBar;

// The capture-card control: the card's properties and methods under their dispatch identifiers
// (CardId) over one capture device, showing the live video at its own size in the top-left
// corner of its rectangle (black beyond). Frames arrive
// on the device's streaming thread and are handed to the user-interface thread, the newest
// one replacing any not yet shown. A device that fails while streaming is stopped and reported
// through deviceFailed(); the last picture stays on show and can still be saved.
class CaptureCardControl : public QWidget
{
    Q_OBJECT

public:
    explicit CaptureCardControl(std::unique_ptr<CaptureDevice> device, QWidget *parent = nullptr);
    ~CaptureCardControl() override;

    // Properties 12..17 and the reads 47, 48, 49, 55 (a Boolean as 0 or 1); 0 for another id.
    int get(int id) const;
    // Properties 12..17; another id does nothing.
    void put(int id, int value);
    // The device's refusal of the last value put, or empty when it took it.
    QString settingRefusal() const;
    // The methods: 18, 23 (path), 24 (path, quality), 30, 31, 32, 34 (width, height, subtype),
    // 36, 37, 38, 53 (flag). 23, 24 and 34 answer a bool, 53 an int, the others nothing.
    QVariant call(int id, const QVariantList &args = {});

    // Stores the picture on show as BMP or JPEG (quality 0..100), written completely or not at
    // all: true only when the file is complete. False when no picture has arrived yet.
    bool saveFrame(const QString &path, const char *format, int quality = -1) const;

    QImage currentFrame() const { return m_frame; }
    // The frame as it is on show: in the chosen false colour, with its contours (the saved and
    // measured frame stays currentFrame()).
    const VideoPicture &shownPicture() const { return m_shown; }
    // The false colour of the video; the picture on show changes at once.
    void setFalseColour(const FalseColourChoice &choice);
    FalseColourChoice falseColour() const;
    ColourBar *colourBar() const { return m_colourBar; }
    // The frame on show at the camera's depth; null for a device without deep frames.
    std::shared_ptr<const DeepFrame> currentDeepFrame() const { return m_deepFrame; }
    bool deliversDeepFrames() const { return m_deliversDeep; }
    // Called on the streaming thread with every deep frame, shown or not (averaging, dark frames).
    using DeepTap = std::function<void(const std::shared_ptr<const DeepFrame> &frame)>;
    void setDeepTap(DeepTap tap);
    CaptureDevice &device() { return *m_device; }
    // Shows the picture on show greyed out as no longer live, until the next frame arrives.
    void setStale(bool stale);
    bool isStale() const { return m_stale; }
    // Another device behind the control: the old one is released first. Nothing is on show
    // until the new one delivers.
    void replaceDevice(std::unique_ptr<CaptureDevice> device);
    // How the card's own dialogs (30, 31, 32) are shown.
    void setModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }

signals:
    // A new picture is on show (user-interface thread).
    void frameArrived();
    // The stream stopped because the device failed (user-interface thread).
    void deviceFailed(const QString &reason);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void attachDevice();
    void deliverFrame(const QImage &frame);     // streaming thread
    void deliverDeepFrame(const QImage &display, std::shared_ptr<const DeepFrame> frame); // streaming thread
    void deliverFailure(const QString &reason); // any thread
    void takePendingFrame();
    void showPropertyDialog();
    void showCrossbarDialog();
    void showPreviewDialog();
    VideoPicture colourFrame(const QImage &display, const DeepFrame *deep) const; // any thread
    void placeColourBar();

    std::unique_ptr<CaptureDevice> m_device;
    ModalRunner m_runModal = execRunner();
    QImage m_frame;
    std::mutex m_pendingMutex;
    QImage m_pending;
    VideoPicture m_pendingShown;
    VideoPicture m_shown;
    mutable std::mutex m_colourMutex;
    FalseColourChoice m_colour;
    ColourBar *m_colourBar = nullptr;
    std::shared_ptr<const DeepFrame> m_pendingDeep;
    std::shared_ptr<const DeepFrame> m_deepFrame;
    bool m_deliversDeep = false;
    std::mutex m_tapMutex;
    DeepTap m_tap;
    std::atomic<bool> m_posted{false};
    bool m_stale = false;
};

} // namespace lumetra

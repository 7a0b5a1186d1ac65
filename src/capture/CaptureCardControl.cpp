#include "capture/CaptureCardControl.h"
#include "platform/system/DurableWrite.h"

#include "capture/CardCrossbarDialog.h"
#include "capture/CardDispatch.h"
#include "capture/CardPreviewDialog.h"
#include "capture/CardPropertyDialog.h"
#include "platform/display/ColourBar.h"
#include "platform/framefiles/DeepFrameFile.h"
#include "types/DeepFrame.h"

#include <QColor>
#include <QImageWriter>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>
#include <QSaveFile>

#include <algorithm>
#include <optional>

namespace lumetra {

namespace {

std::optional<PictureControl> pictureControlOf(int id)
{
    switch (id) {
    case CardId::Brightness: return PictureControl::Brightness;
    case CardId::Contrast: return PictureControl::Contrast;
    case CardId::Hue: return PictureControl::Hue;
    case CardId::Saturation: return PictureControl::Saturation;
    default: return std::nullopt;
    }
}

} // namespace

CaptureCardControl::CaptureCardControl(std::unique_ptr<CaptureDevice> device, QWidget *parent)
    : QWidget(parent), m_device(std::move(device))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_colourBar = new ColourBar(this);
    m_colourBar->hide();
    attachDevice();
}

FalseColourChoice CaptureCardControl::falseColour() const
{
    std::lock_guard lock(m_colourMutex);
    return m_colour;
}

void CaptureCardControl::setFalseColour(const FalseColourChoice &choice)
{
    {
        std::lock_guard lock(m_colourMutex);
        m_colour = choice;
    }
    if (!m_frame.isNull())
        m_shown = colourFrame(m_frame, m_deepFrame.get());
    placeColourBar();
    update();
}

VideoPicture CaptureCardControl::colourFrame(const QImage &display, const DeepFrame *deep) const
{
    return colourVideo(display, deep, falseColour());
}

void CaptureCardControl::placeColourBar()
{
    const FalseColourChoice choice = falseColour();
    const bool shown = choice.colourBar && !m_frame.isNull();
    if (shown) {
        const QRect picture = QRect(QPoint(0, 0), m_frame.size()).intersected(rect());
        const QSize hint = m_colourBar->sizeHint();
        const int h = std::min(picture.height() - 16, std::max(hint.height(), picture.height() / 2));
        m_colourBar->setGeometry(picture.right() - hint.width() - 8, picture.top() + 8, hint.width(), std::max(0, h));
        m_colourBar->setScale(choice, m_shown.scale.low, m_shown.scale.high, m_shown.scale.top);
    }
    m_colourBar->setVisible(shown);
}

void CaptureCardControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeColourBar();
}

void CaptureCardControl::attachDevice()
{
    m_device->setSinks([this](const QImage &frame) { deliverFrame(frame); },
                       [this](const QString &reason) { deliverFailure(reason); });
    m_deliversDeep = m_device->setDeepFrameSink(
        [this](const QImage &display, std::shared_ptr<const DeepFrame> frame) { deliverDeepFrame(display, std::move(frame)); });
}

void CaptureCardControl::replaceDevice(std::unique_ptr<CaptureDevice> device)
{
    if (!device)
        return;
    m_device->release();
    m_device = std::move(device);
    {
        std::lock_guard lock(m_pendingMutex);
        m_pending = QImage();
        m_pendingDeep.reset();
    }
    m_frame = QImage();
    m_deepFrame.reset();
    m_shown = {};
    attachDevice();
    update();
}

void CaptureCardControl::setDeepTap(DeepTap tap)
{
    std::lock_guard lock(m_tapMutex);
    m_tap = std::move(tap);
}

void CaptureCardControl::deliverDeepFrame(const QImage &display, std::shared_ptr<const DeepFrame> frame)
{
    {
        std::lock_guard lock(m_tapMutex);
        if (m_tap)
            m_tap(frame);
    }
    VideoPicture shown = colourFrame(display, frame.get());
    {
        std::lock_guard lock(m_pendingMutex);
        m_pending = display;
        m_pendingShown = std::move(shown);
        m_pendingDeep = std::move(frame);
    }
    if (!m_posted.exchange(true))
        QMetaObject::invokeMethod(this, &CaptureCardControl::takePendingFrame, Qt::QueuedConnection);
}

CaptureCardControl::~CaptureCardControl()
{
    // The streaming thread ends before the sinks that point here go away.
    m_device.reset();
}

int CaptureCardControl::get(int id) const
{
    if (const auto control = pictureControlOf(id))
        return m_device->pictureControl(*control);
    switch (id) {
    case CardId::Standard: return m_device->standard();
    case CardId::Source: return m_device->input();
    case CardId::VideoWidth: return m_device->format().width;
    case CardId::VideoHeight: return m_device->format().height;
    case CardId::SubType: return m_device->format().subtype;
    case CardId::Signal: return m_device->signalPresent() ? 1 : 0;
    default: return 0;
    }
}

void CaptureCardControl::put(int id, int value)
{
    if (const auto control = pictureControlOf(id))
        m_device->setPictureControl(*control, value);
    else if (id == CardId::Standard)
        m_device->setStandard(value);
    else if (id == CardId::Source)
        m_device->setInput(value);
}

QString CaptureCardControl::settingRefusal() const
{
    return m_device->lastSettingRefusal();
}

QVariant CaptureCardControl::call(int id, const QVariantList &args)
{
    const auto arg = [&args](int i) { return args.value(i); };
    switch (id) {
    case CardId::Exit: m_device->release(); return {};
    case CardId::SaveBmp: return saveFrame(arg(0).toString(), "bmp");
    case CardId::SaveJpeg: return saveFrame(arg(0).toString(), "jpeg", args.size() > 1 ? arg(1).toInt() : -1);
    case CardId::VideoPropertyDialog: showPropertyDialog(); return {};
    case CardId::CrossbarDialog: showCrossbarDialog(); return {};
    case CardId::PreviewDialog: showPreviewDialog(); return {};
    case CardId::SetFormat: return m_device->setFormat(arg(0).toInt(), arg(1).toInt(), arg(2).toInt());
    case CardId::Run: m_device->run(); return {};
    case CardId::Pause: m_device->pause(); return {};
    case CardId::Stop: m_device->stop(); return {};
    case CardId::Channel: return m_device->connectDevice();
    default: return {};
    }
}

bool CaptureCardControl::saveFrame(const QString &path, const char *format, int quality) const
{
    if (m_frame.isNull() || path.isEmpty())
        return false;
    const QByteArray kind(format);
    if (m_deepFrame && (kind == "png" || kind == "tiff"))
        return saveDeepFrame(*m_deepFrame, path).isEmpty();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, format);
    writer.setQuality(quality);
    if (!writer.write(m_frame)) {
        file.cancelWriting();
        return false;
    }
    return commitDurably(file);
}

void CaptureCardControl::deliverFrame(const QImage &frame)
{
    VideoPicture shown = colourFrame(frame, nullptr);
    {
        std::lock_guard lock(m_pendingMutex);
        m_pending = frame;
        m_pendingShown = std::move(shown);
    }
    if (!m_posted.exchange(true))
        QMetaObject::invokeMethod(this, &CaptureCardControl::takePendingFrame, Qt::QueuedConnection);
}

void CaptureCardControl::takePendingFrame()
{
    QImage frame;
    std::shared_ptr<const DeepFrame> deep;
    VideoPicture shown;
    {
        std::lock_guard lock(m_pendingMutex);
        frame = std::move(m_pending);
        m_pending = QImage();
        shown = std::move(m_pendingShown);
        m_pendingShown = {};
        deep = std::move(m_pendingDeep);
        m_pendingDeep.reset();
        m_posted = false;
    }
    if (frame.isNull())
        return;
    const bool sizeChanged = frame.size() != m_frame.size();
    m_frame = std::move(frame);
    m_deepFrame = std::move(deep);
    m_shown = shown.image.size() == m_frame.size() ? std::move(shown) : colourFrame(m_frame, m_deepFrame.get());
    m_stale = false;
    if (sizeChanged || m_colourBar->isVisible())
        placeColourBar();
    update();
    emit frameArrived();
}

void CaptureCardControl::deliverFailure(const QString &reason)
{
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
            m_device->stop();
            emit deviceFailed(reason);
        },
        Qt::QueuedConnection);
}

void CaptureCardControl::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // The picture keeps its own size at the top-left; whatever it does not cover is black.
    const QRect picture(QPoint(0, 0), m_frame.size());
    for (const QRect &r : QRegion(event->rect()).subtracted(picture))
        painter.fillRect(r, Qt::black);
    if (m_frame.isNull())
        return;
    const QImage &shown = m_shown.image.isNull() ? m_frame : m_shown.image;
    if (m_stale) {
        // The last picture of a device that stopped: grey and dimmed, so that nobody takes it as live.
        painter.drawImage(QPoint(0, 0), shown.convertToFormat(QImage::Format_Grayscale8));
        painter.fillRect(picture, QColor(128, 128, 128, 150));
        return;
    }
    painter.drawImage(QPoint(0, 0), shown);
    // The contours: 50 % white, 13.5 % yellow, each on a dark edge so that every palette shows them.
    if (!m_shown.halfContour.empty() || !m_shown.clipContour.empty()) {
        painter.setRenderHint(QPainter::Antialiasing);
        for (const auto &[lines, colour] : {std::pair{&m_shown.halfContour, QColor(Qt::white)},
                                            std::pair{&m_shown.clipContour, QColor(Qt::yellow)}}) {
            painter.setPen(QPen(QColor(0, 0, 0, 160), 3.5));
            painter.drawLines(lines->data(), int(lines->size()));
            painter.setPen(QPen(colour, 1.5));
            painter.drawLines(lines->data(), int(lines->size()));
        }
    }
}

void CaptureCardControl::setStale(bool stale)
{
    m_stale = stale;
    update();
}

void CaptureCardControl::showPropertyDialog()
{
    CardPropertyDialog dialog(*m_device, this);
    m_runModal(dialog);
}

void CaptureCardControl::showCrossbarDialog()
{
    CardCrossbarDialog dialog(*m_device, this);
    m_runModal(dialog);
}

void CaptureCardControl::showPreviewDialog()
{
    CardPreviewDialog dialog(*m_device, this);
    m_runModal(dialog);
}

} // namespace lumetra

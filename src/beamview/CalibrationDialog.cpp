#include "beamview/CalibrationDialog.h"

#include "beamview/BeamWindow.h"
#include "platform/ports/CaptureFramePort.h"
#include "platform/ports/CurveViewPort.h"
#include "platform/settings/Calibration.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/ports/WorkspacePort.h"
#include "platform/settings/Calibration.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/ports/WorkspacePort.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <optional>

namespace lumetra {

namespace {

const QString DialogKey = QStringLiteral("CalibrationDialog");

// A positive finite number, or nothing.
std::optional<double> positive(const QString &text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v) || v <= 0)
        return std::nullopt;
    return v;
}

QString numberText(double v)
{
    return QString::number(v, 'g', 8);
}

} // namespace

CalibrationDialog *CalibrationDialog::instance(const AppContext &context)
{
    return context.singleWindow<CalibrationDialog>(DialogKey);
}

CalibrationDialog *CalibrationDialog::showDialog(AppContext &context)
{
    return context.showSingleWindow<CalibrationDialog>(DialogKey, [&context] { return new CalibrationDialog(context); });
}

CalibrationDialog::CalibrationDialog(AppContext &context) : m_context(context)
{
    registerSingleWindow(context, this, DialogKey, tr("标定"));

    const Calibration stored = loadCalibration(context.calibrationFile);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_pixelSize = new QLineEdit(stored.calibrated() ? numberText(stored.pixelSizeUm) : QString(), this);
    m_pixelSize->setPlaceholderText(tr("未标定"));
    m_magnification = new QLineEdit(numberText(stored.magnification), this);
    form->addRow(tr("像素尺寸（µm）："), m_pixelSize);
    form->addRow(tr("放大倍数："), m_magnification);
    layout->addLayout(form);

    auto *known = new QGroupBox(tr("由已知距离标定"), this);
    auto *knownForm = new QFormLayout(known);
    m_knownLength = new QLineEdit(known);
    m_drag = new QPushButton(tr("在图像上拖动量取"), known);
    m_drag->setEnabled(context.workspace != nullptr);
    m_dragResult = new QLabel(tr("输入长度后，在图像上沿该距离拖动鼠标"), known);
    m_dragResult->setWordWrap(true);
    knownForm->addRow(tr("已知长度（µm）："), m_knownLength);
    knownForm->addRow(m_drag);
    knownForm->addRow(m_dragResult);
    layout->addWidget(known);
    connect(m_drag, &QPushButton::clicked, this, [this] { startDrag(); });

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { accept(); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { childWindowFrame(this)->close(); });
    layout->addWidget(buttons);
}

CalibrationDialog::~CalibrationDialog()
{
    m_context.forgetSingleWindow(DialogKey, this);
}

bool CalibrationDialog::readOptional(const QLineEdit *entry, const QString &problem, double &value)
{
    const QString text = entry->text().trimmed();
    if (text.isEmpty())
        return true;
    const std::optional<double> number = positive(text);
    if (!number) {
        warn(problem);
        return false;
    }
    value = *number;
    return true;
}

void CalibrationDialog::warn(const QString &text)
{
    if (m_context.services.dialogs)
        m_context.services.dialogs->message(this, text, tr("提示"), Dialogs::Buttons::Ok,
                                            Dialogs::Icon::Warning);
}

void CalibrationDialog::startDrag()
{
    if (!positive(m_knownLength->text())) {
        warn(tr("请先输入已知长度（µm，正数）。"));
        return;
    }
    WorkspacePort *workspace = m_context.workspace;
    if (!workspace)
        return;
    m_dragResult->setText(tr("请在图像上沿已知距离拖动鼠标…"));
    QPointer<CalibrationDialog> self(this);
    workspace->pickDistance([self](double length) {
        if (self)
            self->distancePicked(length);
    });
}

void CalibrationDialog::distancePicked(double pictureLength)
{
    const std::optional<double> length = positive(m_knownLength->text());
    const FramePlacement placement = m_context.workspace ? m_context.workspace->framePlacement() : FramePlacement{};
    const double pixels = placement.toFrameLength(pictureLength);
    if (!length || pixels < 1.0) {
        m_dragResult->setText(tr("拖动距离太短，请重新拖动"));
        return;
    }
    const double umPerPixel = *length / pixels;
    m_pixelSize->setText(numberText(umPerPixel));
    m_magnification->setText(QStringLiteral("1"));
    m_dragResult->setText(
        tr("%1 像素 = %2 µm：%3 µm/像素").arg(pixels, 0, 'f', 1).arg(*length).arg(umPerPixel, 0, 'g', 6));
}

bool CalibrationDialog::accept()
{
    Calibration calibration;
    if (!readOptional(m_pixelSize, tr("像素尺寸须为正数（µm），或留空表示不标定。"),
                      calibration.pixelSizeUm) ||
        !readOptional(m_magnification, tr("放大倍数须为正数。"), calibration.magnification))
        return false;
    if (!saveCalibration(calibration, m_context.calibrationFile)) {
        warn(tr("无法保存标定：设置文件不能写入。"));
        return false;
    }
    // Every open window shows the new lengths at once.
    if (BeamWindow *beam = BeamWindow::instance(m_context))
        beam->calibrationChanged();
    if (m_context.curveWindow)
        m_context.curveWindow->calibrationChanged();
    if (m_context.captureFrames)
        m_context.captureFrames->calibrationChanged();
    // The child-window frame goes with the form.
    childWindowFrame(this)->close();
    return true;
}

} // namespace lumetra

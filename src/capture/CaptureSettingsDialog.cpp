#include "capture/CaptureSettingsDialog.h"

#include "capture/CaptureCardControl.h"
#include "capture/CardDispatch.h"
#include "platform/dialogs/Dialogs.h"

#include <QComboBox>
#include <QFrame>
#include <QHideEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <array>
#include <utility>
#include <optional>

namespace lumetra {

namespace {

constexpr int DefaultPicture = 5000;

QLabel *label(QWidget *parent, const QString &text, const QRect &geometry,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setAlignment(alignment);
    return l;
}

QComboBox *list(QWidget *parent, const QStringList &items, const QRect &geometry)
{
    auto *c = new QComboBox(parent);
    c->addItems(items);
    c->setGeometry(geometry);
    return c;
}

// A whole number written in the box, ASCII blanks around it allowed.
std::optional<int> wholeNumber(const QString &text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && (text[start] == u' ' || text[start] == u'\t'))
        ++start;
    while (end > start && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    bool ok = false;
    const int value = text.mid(start, end - start).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The captions stand where the Chinese texts fit; a longer translation moves everything to its
// right over by what it lacks, so the columns stay lined up. Returns how much wider it all got.
int makeRoomForCaptions(QWidget *dialog)
{
    QList<QWidget *> all = dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    std::sort(all.begin(), all.end(), [](const QWidget *a, const QWidget *b) { return a->x() < b->x(); });
    int grown = 0;
    for (QWidget *caption : std::as_const(all)) {
        if (!qobject_cast<QLabel *>(caption) && !qobject_cast<QPushButton *>(caption))
            continue;
        const int edge = caption->geometry().right() + 1;
        const int lacking = caption->sizeHint().width() - (edge - std::max(0, caption->x()));
        if (lacking <= 0)
            continue;
        for (QWidget *w : std::as_const(all))
            if (w != caption && w->x() >= edge)
                w->move(w->x() + lacking, w->y());
        caption->resize(caption->width() + lacking, caption->height());
        grown += lacking;
    }
    return grown;
}

} // namespace

CaptureSettingsDialog::CaptureSettingsDialog(Dialogs &dialogs, QWidget *parent) : QDialog(parent), m_dialogs(dialogs)
{
    setWindowTitle(QStringLiteral("Config"));
    buildControls();
    setFixedSize(457 + makeRoomForCaptions(this), 171);
}

QSlider *CaptureSettingsDialog::addPictureRow(int y, QLabel *&name, const QString &caption, QLabel *&value)
{
    name = label(this, caption, QRect(-8, y, 49, 17), Qt::AlignRight | Qt::AlignVCenter);
    value = label(this, QStringLiteral("0"), QRect(48, y, 33, 17));
    auto *slider = new QSlider(Qt::Horizontal, this);
    slider->setGeometry(88, y, 241, 17);
    slider->setRange(0, 10000);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    slider->setTracking(false); // the change arrives after a step or when the thumb is let go
    return slider;
}

void CaptureSettingsDialog::buildControls()
{
    standardLabel = label(this, tr("制式"), QRect(8, 8, 25, 17));
    cbStandard =
        list(this, {QStringLiteral("0 - NTSC"), QStringLiteral("1 - PAL"), QStringLiteral("2 - SECAM")},
             QRect(40, 8, 89, 21));
    sourceLabel = label(this, tr("视频源"), QRect(152, 8, 41, 17));
    cbSource = list(this,
                    {QStringLiteral("0 - Source 1 (S Video)"), QStringLiteral("1 - Source 2 (AV1)"),
                     QStringLiteral("2 - Source 3 (AV2)"), QStringLiteral("3 - Source 4"),
                     QStringLiteral("4 - Four Way")},
                    QRect(192, 8, 137, 21));
    btnDefault = new QPushButton(tr("恢复默认值"), this);
    btnDefault->setGeometry(104, 40, 145, 25);
    btnDefault->setAutoDefault(false);

    srlBrightness = addPictureRow(72, brightnessLabel, tr("亮度"), strBrightness);
    srlContrast = addPictureRow(96, contrastLabel, tr("对比度"), strContrast);
    srlHue = addPictureRow(120, hueLabel, tr("色度"), strHue);
    srlSaturation = addPictureRow(144, saturationLabel, tr("饱和度"), strSaturation);

    divider = new QFrame(this);
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    divider->setGeometry(335, 0, 2, 176);

    formatLabel = label(this, tr("视频格式"), QRect(344, 8, 57, 17));
    cbSubType = list(this,
                     {QStringLiteral("0-RGB555"), QStringLiteral("1-RGB24"), QStringLiteral("2-YUY2"),
                      QStringLiteral("3-YVU9"), QStringLiteral("4-YV12")},
                     QRect(360, 24, 89, 21));
    widthLabel = label(this, tr("宽"), QRect(344, 56, 33, 17));
    editWidth = new QLineEdit(this);
    editWidth->setGeometry(360, 56, 89, 25);
    heightLabel = label(this, tr("高"), QRect(344, 96, 25, 17));
    editHeight = new QLineEdit(this);
    editHeight->setGeometry(360, 96, 89, 25);
    btnResetParame = new QPushButton(tr("重置视频格式"), this);
    btnResetParame->setGeometry(344, 136, 105, 25);
    btnResetParame->setAutoDefault(false);

    signalTimer = new QTimer(this);
    signalTimer->setInterval(SignalPollMs);

    connect(cbStandard, &QComboBox::currentIndexChanged, this, &CaptureSettingsDialog::standardChosen);
    connect(cbSource, &QComboBox::currentIndexChanged, this, &CaptureSettingsDialog::sourceChosen);
    connect(srlBrightness, &QSlider::valueChanged, this, &CaptureSettingsDialog::brightnessChanged);
    connect(srlContrast, &QSlider::valueChanged, this, &CaptureSettingsDialog::contrastChanged);
    connect(srlHue, &QSlider::valueChanged, this, &CaptureSettingsDialog::hueChanged);
    connect(srlSaturation, &QSlider::valueChanged, this, &CaptureSettingsDialog::saturationChanged);
    connect(btnDefault, &QPushButton::clicked, this, &CaptureSettingsDialog::restoreDefaults);
    connect(btnResetParame, &QPushButton::clicked, this, &CaptureSettingsDialog::resetFormat);
    connect(signalTimer, &QTimer::timeout, this, &CaptureSettingsDialog::showSignalState);
}

std::array<CaptureSettingsDialog::PictureRow, 4> CaptureSettingsDialog::pictureRows() const
{
    return {{{strBrightness, srlBrightness, CardId::Brightness},
             {strContrast, srlContrast, CardId::Contrast},
             {strHue, srlHue, CardId::Hue},
             {strSaturation, srlSaturation, CardId::Saturation}}};
}

void CaptureSettingsDialog::Initialize(CaptureCardControl *card)
{
    m_card = card;
    if (!m_card)
        return;
    const int channel = m_card->call(CardId::Channel, {false}).toInt();
    setWindowTitle(tr("第%1路：设置视频参数").arg(channel));
    cbStandard->setCurrentIndex(m_card->get(CardId::Standard));
    cbSource->setCurrentIndex(m_card->get(CardId::Source));
    for (const PictureRow &row : pictureRows()) {
        row.value->setText(QString::number(m_card->get(row.property)));
        row.slider->setValue(m_card->get(row.property));
    }
    fillFormat();
}

void CaptureSettingsDialog::fillFormat()
{
    cbSubType->setCurrentIndex(m_card->get(CardId::SubType));
    editWidth->setText(QString::number(m_card->get(CardId::VideoWidth)));
    editHeight->setText(QString::number(m_card->get(CardId::VideoHeight)));
}

void CaptureSettingsDialog::standardChosen()
{
    if (!m_card)
        return;
    m_card->put(CardId::Standard, cbStandard->currentIndex());
    cbStandard->setCurrentIndex(m_card->get(CardId::Standard));
    reportRefusal();
}

void CaptureSettingsDialog::sourceChosen()
{
    if (!m_card)
        return;
    m_card->put(CardId::Source, cbSource->currentIndex());
    cbSource->setCurrentIndex(m_card->get(CardId::Source));
    reportRefusal();
}

void CaptureSettingsDialog::sliderChanged(QSlider *slider, QLabel *value, int property)
{
    if (!m_card)
        return;
    m_card->put(property, slider->value());
    const int kept = m_card->get(property);
    {
        const QSignalBlocker block(slider);
        slider->setValue(kept);
    }
    value->setText(QString::number(kept));
    reportRefusal();
}

// The values shown are those the device holds; a setting it refused is said once.
void CaptureSettingsDialog::reportRefusal()
{
    const QString refusal = m_card->settingRefusal();
    if (!refusal.isEmpty())
        m_dialogs.message(this, refusal);
}

void CaptureSettingsDialog::brightnessChanged()
{
    sliderChanged(srlBrightness, strBrightness, CardId::Brightness);
}
void CaptureSettingsDialog::contrastChanged()
{
    sliderChanged(srlContrast, strContrast, CardId::Contrast);
}
void CaptureSettingsDialog::hueChanged()
{
    sliderChanged(srlHue, strHue, CardId::Hue);
}
void CaptureSettingsDialog::saturationChanged()
{
    sliderChanged(srlSaturation, strSaturation, CardId::Saturation);
}

void CaptureSettingsDialog::restoreDefaults()
{
    if (!m_card)
        return;
    for (const PictureRow &row : pictureRows()) {
        m_card->put(row.property, DefaultPicture);
        row.value->setText(QString::number(m_card->get(row.property)));
        row.slider->setValue(m_card->get(row.property));
    }
}

void CaptureSettingsDialog::resetFormat()
{
    if (!m_card)
        return;
    const std::optional<int> width = wholeNumber(editWidth->text()), height = wholeNumber(editHeight->text());
    // Text that is not a whole number never reaches the card.
    const bool accepted =
        width && height &&
        m_card->call(CardId::SetFormat, {*width, *height, cbSubType->currentIndex()}).toBool();
    m_dialogs.message(this, accepted ? tr("设置成功") : tr("设置失败"));
    fillFormat();
}

void CaptureSettingsDialog::showSignalState()
{
    if (!m_card)
        return;
    setWindowTitle(m_card->get(CardId::Signal) ? tr("Config: 有信号输入")
                                               : tr("Config: 无信号输入"));
}

void CaptureSettingsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    signalTimer->start();
}

void CaptureSettingsDialog::hideEvent(QHideEvent *event)
{
    signalTimer->stop();
    QDialog::hideEvent(event);
}

} // namespace lumetra

#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QFrame;
class QHideEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QSlider;
class QTimer;

namespace lumetra {

class CaptureCardControl;
class Dialogs;

// The video parameter dialog "Config": the card's standard, source, picture controls and video
// format. Every change goes to the card at once and the dialog shows what the card reads back.
// While it is shown it asks the card for a signal every 200 ms and says so in its title.
class CaptureSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CaptureSettingsDialog(Dialogs &dialogs, QWidget *parent = nullptr);

    // Keeps the card and fills the dialog from it.
    void Initialize(CaptureCardControl *card);

    void standardChosen();
    void sourceChosen();
    void brightnessChanged();
    void contrastChanged();
    void hueChanged();
    void saturationChanged();
    void restoreDefaults();
    void resetFormat();
    void showSignalState();

    QLabel *standardLabel, *sourceLabel, *brightnessLabel, *formatLabel, *contrastLabel, *widthLabel, *hueLabel, *heightLabel, *saturationLabel;
    QComboBox *cbStandard, *cbSource, *cbSubType;
    QPushButton *btnDefault, *btnResetParame;
    QLabel *strBrightness, *strContrast, *strHue, *strSaturation;
    QSlider *srlBrightness, *srlContrast, *srlHue, *srlSaturation;
    QLineEdit *editWidth, *editHeight;
    QFrame *divider;
    QTimer *signalTimer;

    static constexpr int SignalPollMs = 200;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // The picture controls in the order the card is read: brightness, contrast, hue, saturation.
    struct PictureRow
    {
        QLabel *value;
        QSlider *slider;
        int property;
    };
    std::array<PictureRow, 4> pictureRows() const;
    void buildControls();
    QSlider *addPictureRow(int y, QLabel *&name, const QString &caption, QLabel *&value);
    void sliderChanged(QSlider *slider, QLabel *value, int property);
    void reportRefusal();
    void fillFormat();

    Dialogs &m_dialogs;
    CaptureCardControl *m_card = nullptr;
};

} // namespace lumetra

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
class dlgConfig : public QDialog
{
    Q_OBJECT

public:
    explicit dlgConfig(Dialogs &dialogs, QWidget *parent = nullptr);

    // Keeps the card and fills the dialog from it.
    void Initialize(CaptureCardControl *card);

    void cbStandard_Click();
    void cbSource_Click();
    void srlBrightness_Change();
    void srlContrast_Change();
    void srlHue_Change();
    void srlSaturation_Change();
    void btnDefault_Click();
    void btnResetParame_Click();
    void Timer1_Timer();

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    QComboBox *cbStandard, *cbSource, *cbSubType;
    QPushButton *btnDefault, *btnResetParame;
    QLabel *strBrightness, *strContrast, *strHue, *strSaturation;
    QSlider *srlBrightness, *srlContrast, *srlHue, *srlSaturation;
    QLineEdit *editWidth, *editHeight;
    QFrame *Line1;
    QTimer *Timer1;

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
    void fillFormat();

    Dialogs &m_dialogs;
    CaptureCardControl *m_card = nullptr;
};

} // namespace lumetra

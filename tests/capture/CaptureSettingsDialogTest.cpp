#include "CaptureTestSupport.h"
#include "CaptureWindowRig.h"

#include "capture/CaptureCardControl.h"
#include "capture/CaptureSettingsDialog.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace lumetra;
using lumetra::test::CaptureWindowRig;

namespace {

QStringList items(QComboBox *box)
{
    QStringList t;
    for (int i = 0; i < box->count(); ++i)
        t << box->itemText(i);
    return t;
}

class CaptureSettingsDialogTest : public ::testing::Test
{
protected:
    // The card of a loaded capture window, streaming on the simulated card or the fake driver.
    CaptureCardControl *card(bool simulated)
    {
        if (simulated) {
            rig.useSimulated();
        } else {
            rig.driver->formats << V4L2_PIX_FMT_RGB555;
            rig.useV4l2();
        }
        form = rig.open();
        rig.log->take();
        return form->card;
    }

    CaptureWindowRig rig;
    CaptureWindow *form = nullptr;
};

} // namespace

TEST_F(CaptureSettingsDialogTest, LayoutCaptionsAndListsAreExact)
{
    CaptureSettingsDialog dialog(rig.dialogs);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Config"));
    EXPECT_EQ(dialog.size(), QSize(457, 171));
    EXPECT_EQ(items(dialog.cbStandard), (QStringList{QStringLiteral("0 - NTSC"), QStringLiteral("1 - PAL"),
                                                     QStringLiteral("2 - SECAM")}));
    EXPECT_EQ(items(dialog.cbSource),
              (QStringList{QStringLiteral("0 - Source 1 (S Video)"), QStringLiteral("1 - Source 2 (AV1)"),
                           QStringLiteral("2 - Source 3 (AV2)"), QStringLiteral("3 - Source 4"),
                           QStringLiteral("4 - Four Way")}));
    EXPECT_EQ(items(dialog.cbSubType),
              (QStringList{QStringLiteral("0-RGB555"), QStringLiteral("1-RGB24"), QStringLiteral("2-YUY2"),
                           QStringLiteral("3-YVU9"), QStringLiteral("4-YV12")}));
    struct Place
    {
        QWidget *widget;
        QString caption;
        QRect geometry;
    };
    const Place places[] = {
        {dialog.standardLabel, QStringLiteral("制式"), QRect(8, 8, 25, 17)},
        {dialog.cbStandard, QString(), QRect(40, 8, 89, 21)},
        {dialog.sourceLabel, QStringLiteral("视频源"), QRect(152, 8, 41, 17)},
        {dialog.cbSource, QString(), QRect(192, 8, 137, 21)},
        {dialog.btnDefault, QStringLiteral("恢复默认值"), QRect(104, 40, 145, 25)},
        {dialog.brightnessLabel, QStringLiteral("亮度"), QRect(-8, 72, 49, 17)},
        {dialog.strBrightness, QStringLiteral("0"), QRect(48, 72, 33, 17)},
        {dialog.srlBrightness, QString(), QRect(88, 72, 241, 17)},
        {dialog.contrastLabel, QStringLiteral("对比度"), QRect(-8, 96, 49, 17)},
        {dialog.strContrast, QStringLiteral("0"), QRect(48, 96, 33, 17)},
        {dialog.srlContrast, QString(), QRect(88, 96, 241, 17)},
        {dialog.hueLabel, QStringLiteral("色度"), QRect(-8, 120, 49, 17)},
        {dialog.strHue, QStringLiteral("0"), QRect(48, 120, 33, 17)},
        {dialog.srlHue, QString(), QRect(88, 120, 241, 17)},
        {dialog.saturationLabel, QStringLiteral("饱和度"), QRect(-8, 144, 49, 17)},
        {dialog.strSaturation, QStringLiteral("0"), QRect(48, 144, 33, 17)},
        {dialog.srlSaturation, QString(), QRect(88, 144, 241, 17)},
        {dialog.formatLabel, QStringLiteral("视频格式"), QRect(344, 8, 57, 17)},
        {dialog.cbSubType, QString(), QRect(360, 24, 89, 21)},
        {dialog.widthLabel, QStringLiteral("宽"), QRect(344, 56, 33, 17)},
        {dialog.editWidth, QString(), QRect(360, 56, 89, 25)},
        {dialog.heightLabel, QStringLiteral("高"), QRect(344, 96, 25, 17)},
        {dialog.editHeight, QString(), QRect(360, 96, 89, 25)},
        {dialog.btnResetParame, QStringLiteral("重置视频格式"), QRect(344, 136, 105, 25)},
    };
    for (const Place &p : places) {
        EXPECT_EQ(p.widget->geometry(), p.geometry) << p.caption.toStdString();
        if (auto *label = qobject_cast<QLabel *>(p.widget)) {
            EXPECT_EQ(label->text(), p.caption);
        }
        if (auto *button = qobject_cast<QPushButton *>(p.widget)) {
            EXPECT_EQ(button->text(), p.caption);
        }
    }
    EXPECT_EQ(dialog.divider->frameShape(), QFrame::VLine);
    EXPECT_EQ(dialog.divider->geometry().top(), 0);
    EXPECT_EQ(dialog.divider->geometry().bottom() + 1, 176);
    for (QSlider *s : {dialog.srlBrightness, dialog.srlContrast, dialog.srlHue, dialog.srlSaturation}) {
        EXPECT_EQ(s->minimum(), 0);
        EXPECT_EQ(s->maximum(), 10000);
        EXPECT_EQ(s->singleStep(), 1);
        EXPECT_EQ(s->pageStep(), 1);
        EXPECT_FALSE(s->hasTracking());
    }
    EXPECT_EQ(dialog.signalTimer->interval(), 200);
}

TEST_F(CaptureSettingsDialogTest, InitializeFillsEveryFieldFromTheCardInOrder)
{
    CaptureCardControl *sdk = card(true);
    sdk->put(16, 3);
    sdk->put(13, 1200);
    sdk->put(14, 3400);
    sdk->put(15, 5600);
    sdk->put(17, 7800);
    ASSERT_TRUE(sdk->call(34, {320, 240, 2}).toBool());
    rig.log->take();

    CaptureSettingsDialog dialog(rig.dialogs);
    dialog.Initialize(sdk);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("第0路：设置视频参数"));
    EXPECT_EQ(dialog.cbStandard->currentIndex(), 1);
    EXPECT_EQ(dialog.cbSource->currentIndex(), 3);
    EXPECT_EQ(dialog.strBrightness->text(), QStringLiteral("1200"));
    EXPECT_EQ(dialog.srlBrightness->value(), 1200);
    EXPECT_EQ(dialog.strContrast->text(), QStringLiteral("3400"));
    EXPECT_EQ(dialog.strHue->text(), QStringLiteral("5600"));
    EXPECT_EQ(dialog.srlSaturation->value(), 7800);
    EXPECT_EQ(dialog.cbSubType->currentIndex(), 2);
    EXPECT_EQ(dialog.editWidth->text(), QStringLiteral("320"));
    EXPECT_EQ(dialog.editHeight->text(), QStringLiteral("240"));
    // The reads in their order; write-backs raised by filling the controls may sit between them.
    QStringList reads;
    for (const QString &call : rig.log->take())
        if (call == QStringLiteral("connect") || call.startsWith(QStringLiteral("read")))
            reads << call;
    reads.removeDuplicates();
    EXPECT_EQ(reads, (QStringList{QStringLiteral("connect"), QStringLiteral("read standard"),
                                  QStringLiteral("read input"), QStringLiteral("read picture0"),
                                  QStringLiteral("read picture1"), QStringLiteral("read picture2"),
                                  QStringLiteral("read picture3"), QStringLiteral("read format")}));
}

TEST_F(CaptureSettingsDialogTest, SecamOnACardThatKeepsPalShowsPal)
{
    CaptureCardControl *sdk = card(true);
    CaptureSettingsDialog dialog(rig.dialogs);
    dialog.Initialize(sdk);
    dialog.show();
    dialog.cbStandard->setFocus();
    QTest::keyClick(dialog.cbStandard, Qt::Key_Down); // 1 - PAL -> 2 - SECAM
    EXPECT_EQ(dialog.cbStandard->currentIndex(), 1);
    EXPECT_EQ(sdk->get(12), 1);
    QTest::keyClick(dialog.cbStandard, Qt::Key_Up);
    EXPECT_EQ(dialog.cbStandard->currentIndex(), 0);
    EXPECT_EQ(sdk->get(12), 0);
}

TEST_F(CaptureSettingsDialogTest, ASliderStepShowsWhatTheDriverKeeps)
{
    CaptureCardControl *sdk = card(false); // hue moves in steps of 100 over -2000..2000
    CaptureSettingsDialog dialog(rig.dialogs);
    dialog.Initialize(sdk);
    dialog.show();
    EXPECT_EQ(dialog.srlHue->value(), 5000);
    dialog.srlHue->setFocus();
    QTest::keyClick(dialog.srlHue, Qt::Key_Right);
    EXPECT_EQ(dialog.srlHue->value(), 5000);
    EXPECT_EQ(dialog.strHue->text(), QStringLiteral("5000"));
    QTest::keyClick(dialog.srlHue, Qt::Key_End);
    EXPECT_EQ(dialog.strHue->text(), QStringLiteral("10000"));
    EXPECT_EQ(rig.driver->controlValue(V4L2_CID_HUE), 2000);
    // Brightness (-64..64) takes a value between steps of the card scale.
    dialog.srlBrightness->setFocus();
    QTest::keyClick(dialog.srlBrightness, Qt::Key_Home);
    EXPECT_EQ(dialog.strBrightness->text(), QStringLiteral("0"));
    EXPECT_EQ(rig.driver->controlValue(V4L2_CID_BRIGHTNESS), -64);
}

TEST_F(CaptureSettingsDialogTest, DefaultsPutEveryPictureControlBackTo5000)
{
    CaptureCardControl *sdk = card(false);
    sdk->put(13, 100);
    sdk->put(14, 9000);
    sdk->put(15, 2000);
    sdk->put(17, 10000);
    CaptureSettingsDialog dialog(rig.dialogs);
    dialog.Initialize(sdk);
    dialog.show();
    // Contrast shows the driver's nearest step, not the value written.
    EXPECT_EQ(dialog.strContrast->text(), QString::number(sdk->get(14)));
    EXPECT_NE(dialog.strContrast->text(), QStringLiteral("9000"));
    EXPECT_NEAR(dialog.srlContrast->value(), 9000, 80);
    QTest::mouseClick(dialog.btnDefault, Qt::LeftButton);
    for (QLabel *l : {dialog.strBrightness, dialog.strContrast, dialog.strHue, dialog.strSaturation})
        EXPECT_EQ(l->text(), QStringLiteral("5000"));
    for (QSlider *s : {dialog.srlBrightness, dialog.srlContrast, dialog.srlHue, dialog.srlSaturation})
        EXPECT_EQ(s->value(), 5000);
    for (const auto &c : rig.driver->controlList)
        if (!c.isBoolean) {
            EXPECT_EQ(rig.driver->controlValue(c.id), c.defaultValue) << c.name.toStdString();
        }
}

TEST_F(CaptureSettingsDialogTest, ResettingTheFormatReportsAndShowsTheFormatInForce)
{
    CaptureCardControl *sdk = card(true);
    CaptureSettingsDialog dialog(rig.dialogs);
    dialog.Initialize(sdk);
    dialog.show();

    dialog.cbSubType->setCurrentIndex(4);
    dialog.editWidth->setText(QStringLiteral("320"));
    dialog.editHeight->setText(QStringLiteral(" 240 "));
    QTest::mouseClick(dialog.btnResetParame, Qt::LeftButton);
    ASSERT_EQ(rig.dialogs.messages.size(), 1);
    EXPECT_EQ(rig.dialogs.messages[0].text, QStringLiteral("设置成功"));
    EXPECT_TRUE(rig.dialogs.messages[0].title.isEmpty());
    EXPECT_EQ(dialog.editHeight->text(), QStringLiteral("240"));
    EXPECT_EQ(sdk->get(49), 4);

    dialog.editWidth->setText(QStringLiteral("800"));
    dialog.editHeight->setText(QStringLiteral("600"));
    dialog.cbSubType->setCurrentIndex(1);
    QTest::mouseClick(dialog.btnResetParame, Qt::LeftButton);
    EXPECT_EQ(rig.dialogs.messages.last().text, QStringLiteral("设置失败"));
    EXPECT_EQ(dialog.editWidth->text(), QStringLiteral("320"));
    EXPECT_EQ(dialog.editHeight->text(), QStringLiteral("240"));
    EXPECT_EQ(dialog.cbSubType->currentIndex(), 4);
}

TEST_F(CaptureSettingsDialogTest, TextThatIsNotAWholeNumberNeverReachesTheCard)
{
    CaptureCardControl *sdk = card(true);
    CaptureSettingsDialog dialog(rig.dialogs);
    dialog.Initialize(sdk);
    for (const QString &bad : {QStringLiteral("abc"), QStringLiteral("320.5"), QStringLiteral(""),
                               QStringLiteral("3 20"), QStringLiteral("99999999999")}) {
        rig.log->take();
        dialog.editWidth->setText(bad);
        dialog.editHeight->setText(QStringLiteral("240"));
        dialog.btnResetParame->click();
        EXPECT_EQ(rig.dialogs.messages.last().text, QStringLiteral("设置失败")) << bad.toStdString();
        for (const QString &call : rig.log->take())
            EXPECT_FALSE(call.startsWith(QStringLiteral("format("))) << bad.toStdString();
        EXPECT_EQ(dialog.editWidth->text(), QStringLiteral("640"));
    }
}

TEST_F(CaptureSettingsDialogTest, TheSignalTitleAppearsAtTheFirstPollAndFollowsTheCard)
{
    CaptureCardControl *sdk = card(false);
    rig.driver->signal = false;
    CaptureSettingsDialog dialog(rig.dialogs);
    dialog.Initialize(sdk);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("第0路：设置视频参数"));
    // The title as it stands right after each poll (the dialog's own handler runs first).
    QStringList titles;
    QObject::connect(dialog.signalTimer, &QTimer::timeout, [&] { titles << dialog.windowTitle(); });
    dialog.show();
    EXPECT_TRUE(dialog.signalTimer->isActive());
    EXPECT_EQ(dialog.signalTimer->interval(), 200);
    ASSERT_TRUE(test::waitFor([&] { return !titles.isEmpty(); }, 2000));
    EXPECT_EQ(titles.first(), QStringLiteral("Config: 无信号输入"));
    rig.driver->signal = true;
    EXPECT_TRUE(test::waitFor([&] { return titles.last() == QStringLiteral("Config: 有信号输入"); }, 2000));
    dialog.hide();
    EXPECT_FALSE(dialog.signalTimer->isActive());
}

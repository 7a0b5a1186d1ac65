// A setting the driver refuses: the device reads back what is in force, says what was refused
// and why, and the card's dialogs show both.
#include "FakeV4l2Device.h"

#include "capture/CardPropertyDialog.h"
#include "devices/V4l2CaptureDevice.h"

#include <QLabel>
#include <QSlider>

#include <gtest/gtest.h>

#include <cstring>

using namespace lumetra;
using lumetra::test::FakeV4l2Device;

TEST(V4l2Refusal, RefusedSettingsLeaveTheValueInForceAndSayWhy)
{
    auto driver = std::make_shared<FakeV4l2Device>();
    driver->refusedControls = {V4L2_CID_CONTRAST};
    driver->standards = V4L2_STD_PAL; // SECAM and NTSC are refused
    V4l2CaptureDevice device(driver);
    ASSERT_GE(device.connectDevice(), 0);
    const QString busy = QString::fromLocal8Bit(std::strerror(EBUSY));

    const int contrastBefore = device.pictureControl(PictureControl::Contrast);
    device.setPictureControl(PictureControl::Contrast, 9000);
    EXPECT_EQ(driver->controlValue(V4L2_CID_CONTRAST), 32);
    EXPECT_EQ(device.pictureControl(PictureControl::Contrast), contrastBefore);
    EXPECT_TRUE(device.lastSettingRefusal().contains(QStringLiteral("Contrast"))) << qPrintable(device.lastSettingRefusal());
    EXPECT_TRUE(device.lastSettingRefusal().contains(busy));
    EXPECT_TRUE(device.lastSettingRefusal().contains(QStringLiteral("仍为 32")));

    device.setPictureControl(PictureControl::Brightness, 9000); // taken: nothing to say
    EXPECT_TRUE(device.lastSettingRefusal().isEmpty());
    EXPECT_NE(driver->controlValue(V4L2_CID_BRIGHTNESS), 0);

    // The standard is refused while streaming and again after the pause (it is not one the
    // card has): the picture runs on in the standard in force.
    device.run();
    const int standard = device.standard();
    device.setStandard(2);
    EXPECT_EQ(device.standard(), standard);
    EXPECT_TRUE(device.lastSettingRefusal().contains(QStringLiteral("SECAM")));
    EXPECT_TRUE(device.lastSettingRefusal().contains(QStringLiteral("PAL")));
    EXPECT_EQ(device.streamState(), StreamState::Running);
    device.setInput(7);
    EXPECT_TRUE(device.lastSettingRefusal().contains(QStringLiteral("输入 7")));
    EXPECT_EQ(device.input(), 0);
    device.setInput(1);
    EXPECT_TRUE(device.lastSettingRefusal().isEmpty());
    EXPECT_EQ(device.input(), 1);

    // The property dialog: the slider goes back to the value in force and the refusal is shown.
    CardPropertyDialog dialog(device);
    int contrastRow = -1;
    for (int row = 0; row < 5; ++row)
        if (dialog.rowName(row) == QLatin1String("Contrast"))
            contrastRow = row;
    ASSERT_GE(contrastRow, 0);
    dialog.show();
    EXPECT_FALSE(dialog.refusalLabel()->isVisible());
    dialog.slider(contrastRow)->setValue(80);
    EXPECT_EQ(dialog.slider(contrastRow)->value(), 32);
    EXPECT_EQ(dialog.valueLabel(contrastRow)->text(), QStringLiteral("32"));
    EXPECT_TRUE(dialog.refusalLabel()->isVisible());
    EXPECT_TRUE(dialog.refusalLabel()->text().contains(busy));
    driver->refusedControls.clear();
    dialog.slider(contrastRow)->setValue(80);
    EXPECT_EQ(driver->controlValue(V4L2_CID_CONTRAST), 80);
    EXPECT_FALSE(dialog.refusalLabel()->isVisible());
    device.release();
}

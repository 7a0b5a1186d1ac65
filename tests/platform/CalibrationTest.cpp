#include "platform/settings/Calibration.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumetra;

TEST(Calibration, StoredAndReadBackAndUncalibratedWithoutAFile)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("lumetra.ini"));
    EXPECT_FALSE(loadCalibration(ini).calibrated());
    EXPECT_EQ(loadCalibration(ini).umPerPixel(), 0.0);

    ASSERT_TRUE(saveCalibration({5.5, 2.0}, ini));
    const Calibration back = loadCalibration(ini);
    EXPECT_TRUE(back.calibrated());
    EXPECT_DOUBLE_EQ(back.umPerPixel(), 2.75);
    EXPECT_DOUBLE_EQ(back.toUm(100), 275.0);
}

TEST(Calibration, LengthsInMillimetresFromTenThousandMicrometres)
{
    EXPECT_EQ(formatLength(123.44), QStringLiteral("123.4 µm"));
    EXPECT_EQ(formatLength(9999.9), QStringLiteral("9999.9 µm"));
    EXPECT_EQ(formatLength(12345.0), QStringLiteral("12.35 mm"));
}

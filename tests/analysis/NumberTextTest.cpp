#include "analysis/NumberText.h"

#include <gtest/gtest.h>

#include <limits>

using lumetra::numberText;

TEST(NumberText, WholeNumbersHaveNoPointAndFractionsRoundTrip)
{
    EXPECT_EQ(numberText(0), "0");
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(numberText(-320), "-320");
    EXPECT_EQ(numberText(192), "192");
    EXPECT_EQ(numberText(2.5), "2.5");
    EXPECT_EQ(numberText(-478.5), "-478.5");
    EXPECT_EQ(numberText(1e15), "1e+15");
    for (double v : {1.0 / 3, 0.1, 163.77777777777777, 1e-300, 123456.789}) {
        bool ok = false;
        EXPECT_EQ(numberText(v).toDouble(&ok), v) << numberText(v).toStdString();
        EXPECT_TRUE(ok);
    }
    EXPECT_EQ(numberText(1.0 / 3), "0.3333333333333333");
    EXPECT_EQ(numberText(std::numeric_limits<double>::infinity()), "inf");
}

TEST(NumberText, DurationsReadInTheUnitThatSuitsThem)
{
    EXPECT_EQ(lumetra::durationText(10), QStringLiteral("10 µs"));
    EXPECT_EQ(lumetra::durationText(2500), QStringLiteral("2.5 ms"));
    EXPECT_EQ(lumetra::durationText(1e7), QStringLiteral("10 s"));
    EXPECT_EQ(lumetra::durationText(123456), QStringLiteral("123.5 ms"));
}

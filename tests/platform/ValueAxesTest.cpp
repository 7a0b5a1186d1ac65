#include "platform/charts/ValueAxes.h"

#include <QtCharts/QValueAxis>

#include <gtest/gtest.h>

using namespace lumetra;

TEST(ValueAxes, NumberAxisShowsPlainNumbersUnderItsTitle)
{
    QObject owner;
    QValueAxis *titled = numberAxis(&owner, QStringLiteral("z (mm)"));
    QValueAxis *untitled = numberAxis(&owner);
    EXPECT_EQ(titled->parent(), &owner);
    EXPECT_EQ(titled->titleText(), QStringLiteral("z (mm)"));
    EXPECT_EQ(titled->labelFormat(), QStringLiteral("%g"));
    EXPECT_TRUE(untitled->titleText().isEmpty());
    EXPECT_EQ(untitled->labelFormat(), QStringLiteral("%g"));
    EXPECT_FALSE(titled->truncateLabels()); // "20000" never shows as "…" on a small chart
}

TEST(ValueAxes, NiceRangeWidensToWholeTicksOfOneTwoOrFive)
{
    QValueAxis axis;
    setNiceRange(&axis, 0.3, 7, 6);
    EXPECT_DOUBLE_EQ(axis.tickInterval(), 2);
    EXPECT_DOUBLE_EQ(axis.min(), 0);
    EXPECT_DOUBLE_EQ(axis.max(), 8);
    EXPECT_EQ(axis.tickType(), QValueAxis::TicksDynamic);

    setNiceRange(&axis, -130, 240, 4);
    EXPECT_DOUBLE_EQ(axis.tickInterval(), 100);
    EXPECT_DOUBLE_EQ(axis.min(), -200);
    EXPECT_DOUBLE_EQ(axis.max(), 300);
}

TEST(ValueAxes, ExactNiceRangeKeepsItsEndsAndAnEmptyRangeBecomesOneWide)
{
    QValueAxis axis;
    setNiceRange(&axis, 0.3, 7, 6, true);
    EXPECT_DOUBLE_EQ(axis.min(), 0.3);
    EXPECT_DOUBLE_EQ(axis.max(), 7);
    EXPECT_DOUBLE_EQ(axis.tickInterval(), 2);

    setNiceRange(&axis, 3, 3, 5, true);
    EXPECT_DOUBLE_EQ(axis.min(), 3);
    EXPECT_DOUBLE_EQ(axis.max(), 4);
    EXPECT_DOUBLE_EQ(axis.tickInterval(), 0.2);
}

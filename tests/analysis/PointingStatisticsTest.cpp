// The monitoring statistics against the long-way-round oracle, and the decimated history's
// windows against the samples they stand for.
#include "analysis/monitoring/DecimatedHistory.h"
#include "analysis/monitoring/MonitorPace.h"
#include "analysis/monitoring/PointingStatistics.h"
#include "support/PointingOracle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace lumetra {
namespace {

using monitoring::DecimatedHistory;
using monitoring::MonitorSample;
using monitoring::PointingStatistics;
using monitoring::RunningMoments;
using test::TrackPoint;

// A correlated, drifting centroid track starting `t0` seconds into a run, 25 samples a second.
std::vector<TrackPoint> track(int n, double t0, unsigned seed)
{
    std::mt19937 rng(seed);
    std::normal_distribution<double> g(0.0, 1.0);
    std::vector<TrackPoint> points;
    for (int i = 0; i < n; ++i) {
        const double t = t0 + i / 25.0, a = g(rng), b = g(rng);
        points.push_back({t, 400.0 + 0.05 * t + 1.5 * a + 0.6 * b, 300.0 - 0.02 * t + 0.9 * a - 0.3 * b,
                          80.0 + 0.4 * g(rng), 78.0 + 0.4 * g(rng)});
    }
    return points;
}

RunningMoments momentsOf(const std::vector<TrackPoint> &points)
{
    RunningMoments m;
    for (const TrackPoint &p : points)
        m.add(MonitorSample{p.t, p.x, p.y, p.dx, p.dy});
    return m;
}

void expectMatches(const PointingStatistics &s, const test::PointingOracle &o)
{
    const auto near = [](double a, double b) { return std::abs(a - b) <= 1e-7 * std::max(1.0, std::abs(b)); };
    EXPECT_PRED2(near, s.meanX, o.meanX);
    EXPECT_PRED2(near, s.meanY, o.meanY);
    EXPECT_PRED2(near, s.sdX, o.sdX);
    EXPECT_PRED2(near, s.sdY, o.sdY);
    EXPECT_PRED2(near, s.ptpX, o.ptpX);
    EXPECT_PRED2(near, s.ptpY, o.ptpY);
    EXPECT_NEAR(s.azimuthDeg, o.azimuthDeg, 1e-6);
    EXPECT_PRED2(near, s.sdU, o.sdU);
    EXPECT_PRED2(near, s.sdV, o.sdV);
    EXPECT_PRED2(near, s.stabilityU, o.stabilityU);
    EXPECT_PRED2(near, s.stabilityV, o.stabilityV);
    EXPECT_PRED2(near, s.stability, o.stability);
    EXPECT_PRED2(near, s.meanDx, o.meanDx);
    EXPECT_PRED2(near, s.relSdDx, o.relSdDx);
    EXPECT_PRED2(near, s.driftX, o.driftX);
    EXPECT_PRED2(near, s.driftY, o.driftY);
    EXPECT_PRED2(near, s.residualSdX, o.residualSdX);
}

TEST(PointingStatistics, Iso11670FiguresMatchTheIndependentComputation)
{
    // Early in a run and eight hours into one (large times must not cost precision).
    for (double t0 : {0.0, 8 * 3600.0}) {
        const auto points = track(5000, t0, 7u);
        const PointingStatistics s = PointingStatistics::of(momentsOf(points));
        EXPECT_EQ(s.count, 5000);
        expectMatches(s, test::pointingOracle(points));
        EXPECT_GT(s.sdU, s.sdV);
        EXPECT_NEAR(s.stability, 2 * std::hypot(s.sdX, s.sdY), 1e-9);
    }
}

TEST(PointingStatistics, MergedMomentsEqualThoseOfTheUnion)
{
    const auto points = track(3000, 100.0, 11u);
    RunningMoments a, b;
    for (std::size_t i = 0; i < points.size(); ++i)
        (i < 1234 ? a : b).add(MonitorSample{points[i].t, points[i].x, points[i].y, points[i].dx, points[i].dy});
    a.merge(b);
    expectMatches(PointingStatistics::of(a), test::pointingOracle(points));
}

TEST(PointingStatistics, AngularStabilityNeedsTheDistance)
{
    EXPECT_FALSE(monitoring::angularMicroradians(10.0, {}).has_value());
    // 10 µm at 500 mm is 20 µrad.
    EXPECT_DOUBLE_EQ(*monitoring::angularMicroradians(10.0, {500.0}), 20.0);
    // A single sample has no spread and no drift, and no undefined numbers.
    RunningMoments one;
    one.add(MonitorSample{1.0, 5.0, 6.0, 7.0, 8.0});
    const PointingStatistics s = PointingStatistics::of(one);
    EXPECT_EQ(s.sdX, 0.0);
    EXPECT_EQ(s.driftX, 0.0);
    EXPECT_EQ(s.stability, 0.0);
    EXPECT_EQ(PointingStatistics::of(RunningMoments{}).count, 0);
}

TEST(DecimatedHistory, WindowsHoldTheirSpanInBoundedBuckets)
{
    DecimatedHistory history;
    std::vector<TrackPoint> points = track(25 * 1500, 0.0, 3u); // 25 minutes at 25 Hz
    for (const TrackPoint &p : points)
        history.add(MonitorSample{p.t, p.x, p.y, p.dx, p.dy});
    for (int w = 0; w < DecimatedHistory::WindowCount; ++w) {
        const auto &buckets = history.buckets(w);
        ASSERT_FALSE(buckets.empty());
        EXPECT_LE(int(buckets.size()), DecimatedHistory::BucketCount + 1);
        // The window's statistics are those of exactly the samples in its buckets.
        const double from = double(buckets.front().index) * DecimatedHistory::bucketSeconds(w);
        std::vector<TrackPoint> inside;
        for (const TrackPoint &p : points)
            if (p.t >= from - 1e-9)
                inside.push_back(p);
        const RunningMoments merged = history.windowMoments(w);
        EXPECT_EQ(merged.count(), (long long)inside.size()) << "window " << w;
        expectMatches(PointingStatistics::of(merged), test::pointingOracle(inside));
        // ... and it reaches back at least the window's length (the whole run when shorter).
        const double span = points.back().t - from;
        EXPECT_GE(span, std::min(points.back().t, DecimatedHistory::WindowSeconds[std::size_t(w)]) - 1e-6);
        EXPECT_LE(span, DecimatedHistory::WindowSeconds[std::size_t(w)] + DecimatedHistory::bucketSeconds(w));
    }
    // Each bucket's extremes are those of its own samples.
    const double w1 = DecimatedHistory::bucketSeconds(1);
    for (const DecimatedHistory::Bucket &bucket : history.buckets(1)) {
        double lo = INFINITY, hi = -INFINITY;
        for (const TrackPoint &p : points)
            if (static_cast<long long>(std::floor(p.t / w1)) == bucket.index) {
                lo = std::min(lo, p.y);
                hi = std::max(hi, p.y);
            }
        EXPECT_EQ(bucket.moments.minimum(RunningMoments::Cy), lo);
        EXPECT_EQ(bucket.moments.maximum(RunningMoments::Cy), hi);
    }
}

TEST(DecimatedHistory, EightHoursAtTwentyFiveHertzStayWithinAMegabyte)
{
    DecimatedHistory history;
    for (long long i = 0; i < 720000; ++i)
        history.add(MonitorSample{i / 25.0, 100.0 + std::sin(i * 1e-3), 50.0, 20.0, 20.0});
    EXPECT_LT(history.memoryBytes(), std::size_t(1) << 20);
    EXPECT_EQ(history.windowMoments(3).count(), 720000);
    // The minute: a full minute of buckets behind the one filling now.
    EXPECT_GE(history.windowMoments(0).count(), 60 * 25);
    EXPECT_LE(history.windowMoments(0).count(), 60 * 25 + 3);
}

TEST(MonitorPace, KeepsEveryNthFrameOrOneFramePerInterval)
{
    monitoring::PaceFilter every3({monitoring::MonitorPace::EveryNthFrame, 3, 0});
    std::vector<long long> kept;
    for (long long f : {1, 2, 3, 4, 6, 7, 8, 9, 10})
        if (every3.take(f, 0))
            kept.push_back(f);
    EXPECT_EQ(kept, (std::vector<long long>{1, 4, 7, 10}));

    monitoring::PaceFilter halfSecond({monitoring::MonitorPace::EveryInterval, 1, 0.5});
    std::vector<double> times;
    for (int i = 0; i < 60; ++i) // 25 Hz for 2.4 s
        if (halfSecond.take(i + 1, i / 25.0))
            times.push_back(i / 25.0);
    EXPECT_EQ(times, (std::vector<double>{0.0, 0.52, 1.0, 1.52, 2.0}));
}

} // namespace
} // namespace lumetra

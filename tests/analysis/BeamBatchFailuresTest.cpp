// A file whose reading or measuring throws, whatever it throws, becomes that file's error row;
// the other files are measured and the program goes on.
#include "analysis/beam/BeamBatch.h"
#include "support/SyntheticBeam.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using namespace lumetra;
using namespace lumetra::beam;

TEST(BeamBatchFailures, EveryThrownFailureBecomesThatFilesErrorRow)
{
    test::Scene scene;
    scene.width = 160;
    scene.height = 120;
    scene.spots[0].cx = 80;
    scene.spots[0].cy = 60;
    scene.spots[0].dMajor = scene.spots[0].dMinor = 30;
    const BeamFrame good = test::makeFrame(scene).frame;
    const FrameReader read = [&good](const QString &path) -> FrameReadResult {
        if (path.startsWith(QLatin1String("alloc")))
            throw std::bad_alloc();
        if (path.startsWith(QLatin1String("runtime")))
            throw std::runtime_error("disk gone");
        if (path.startsWith(QLatin1String("other")))
            throw 42;
        if (path.startsWith(QLatin1String("odd"))) {
            FrameReadResult r; // a frame whose values do not match its size: the measurement refuses it
            r.frame.width = 10;
            r.frame.height = 10;
            return r;
        }
        return {good, {}};
    };
    const QStringList paths = {QStringLiteral("a.png"),       QStringLiteral("alloc.png"), QStringLiteral("b.png"),
                               QStringLiteral("runtime.png"), QStringLiteral("other.png"), QStringLiteral("odd.png"),
                               QStringLiteral("c.png")};
    for (const int workers : {1, 3}) {
        const std::vector<BeamFileResult> results = measureBeamFiles(paths, BeamOptions{}, nullptr, read, workers);
        ASSERT_EQ(results.size(), std::size_t(paths.size()));
        for (std::size_t i = 0; i < results.size(); ++i) {
            const BeamFileResult &r = results[i];
            EXPECT_EQ(r.path, paths[qsizetype(i)]);
            const bool fails = !paths[qsizetype(i)].endsWith(QLatin1String("a.png")) &&
                               !paths[qsizetype(i)].startsWith(QLatin1String("b")) &&
                               !paths[qsizetype(i)].startsWith(QLatin1String("c"));
            if (fails) {
                EXPECT_FALSE(r.error.isEmpty()) << qPrintable(r.path);
                EXPECT_TRUE(r.error.contains(r.path)) << qPrintable(r.error);
            } else {
                EXPECT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
                EXPECT_EQ(r.result.status, BeamStatus::Ok);
                EXPECT_NEAR(r.result.centroidX, 80, 0.5);
            }
        }
        EXPECT_TRUE(results[1].error.contains(QStringLiteral("内存不足")));
        EXPECT_TRUE(results[3].error.contains(QStringLiteral("disk gone")));
    }
}

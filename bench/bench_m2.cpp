// M² of a caustic from its frames: twenty 1280 x 960 8-bit camera frames read, decoded and
// measured on every core, then both axes fitted (the work of `lumetra-cli m2 IMAGE...` and of the
// M² window). Target: under a second for the twenty.
#include "analysis/beam/BeamBatch.h"
#include "analysis/caustic/CausticFit.h"

#include "support/FrameImage.h"
#include "support/SyntheticBeam.h"
#include "platform/framefiles/PictureFiles.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <thread>

namespace {

using namespace lumetra;

constexpr int FrameCount = 20;
constexpr double PixelUm = 5.2;
constexpr double WavelengthNm = 1064;

// Twenty PNG frames through a focus (M² 1.4, waist 200 µm, ±3 zR), written once.
struct CausticFrames
{
    CausticFrames()
    {
        const double d0 = 200, z0 = 100;
        const double theta = 4 * 1.4 * WavelengthNm / (std::numbers::pi * d0);
        const double zr = d0 / theta;
        for (int i = 0; i < FrameCount; ++i) {
            const double z = z0 + zr * (-3 + 6.0 * i / (FrameCount - 1));
            const double d = std::sqrt(d0 * d0 + theta * theta * (z - z0) * (z - z0)) / PixelUm;
            test::Scene scene;
            scene.width = 1280;
            scene.height = 960;
            scene.noise = 2;
            scene.seed = unsigned(i + 1);
            scene.spots = {test::Spot{test::SpotShape::Gaussian, 652.5, 470.25, d * 1.1, d, 15, 190}};
            const QString path = dir.filePath(QStringLiteral("t-%1mm.png").arg(z, 0, 'f', 2));
            test::frameImage(test::makeFrame(scene).frame).save(path);
            paths << path;
            zMm.push_back(z);
        }
    }

    QTemporaryDir dir;
    QStringList paths;
    std::vector<double> zMm;
};

void BM_TwentyFramesMeasuredAndFitted(benchmark::State &state)
{
    static const CausticFrames series;
    double m2 = 0; // 1.4 for the minor axis by construction
    for (auto _ : state) {
        const std::vector<beam::BeamFileResult> measured = beam::measureBeamFiles(series.paths, beam::BeamOptions{}, nullptr, pictureFileReaders().frame);
        std::vector<beam::CausticPoint> major, minor;
        for (std::size_t i = 0; i < measured.size(); ++i) {
            major.push_back({series.zMm[i], measured[i].result.dMajor * PixelUm});
            minor.push_back({series.zMm[i], measured[i].result.dMinor * PixelUm});
        }
        const beam::CausticFitResult a = beam::fitCaustic(major, WavelengthNm);
        const beam::CausticFitResult b = beam::fitCaustic(minor, WavelengthNm);
        if (!a.ok() || !b.ok()) {
            state.SkipWithError("the caustic could not be fitted");
            break;
        }
        m2 = b.fit->m2;
        benchmark::DoNotOptimize(m2);
    }
    state.counters["cores"] = double(std::thread::hardware_concurrency());
}
BENCHMARK(BM_TwentyFramesMeasuredAndFitted)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

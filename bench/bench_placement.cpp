// Opening a 2048 x 2048 16-bit camera frame into the workspace (read, measure for centring,
// place, sample), per file format and placement; and the sampling chain every curve window runs
// on a 640 x 480 picture next to OpenCV's grey conversion plus minimum/maximum on the same
// picture (when OpenCV was found at configure time).
#include "analysis/AnalysisState.h"
#include "analysis/picture/Sampling.h"
#include "analysis/picture/WorkspacePicture.h"
#include "surface/PictureSurface.h"
#include "support/BenchPictures.h"
#include "support/FrameWriters.h"
#include "support/SyntheticBeam.h"
#include "platform/framefiles/PictureFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#ifdef LUMETRA_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

using namespace lumetra;

// The 2048 x 2048 16-bit frame with an off-centre beam, written once per format.
QString largeFrameFile(const char *suffix)
{
    static QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("frame.") + QLatin1String(suffix));
    if (QFile::exists(path))
        return path;
    test::Scene scene;
    scene.width = scene.height = 2048;
    scene.bitDepth = 16;
    scene.darkLevel = 1000;
    scene.noise = 150;
    scene.spots[0].cx = 1400;
    scene.spots[0].cy = 700;
    scene.spots[0].dMajor = 300;
    scene.spots[0].dMinor = 220;
    scene.spots[0].phiDeg = 30;
    scene.spots[0].peak = 50000;
    const beam::BeamFrame frame = test::makeFrame(scene).frame;
    std::vector<unsigned> codes(frame.values.size());
    for (std::size_t i = 0; i < codes.size(); ++i)
        codes[i] = unsigned(std::clamp(std::lround(frame.values[i]), 0L, 65535L));
    const QString kind = QLatin1String(suffix);
    if (kind == QLatin1String("pgm")) {
        test::writeBytes(path, test::netpbmBytes(2048, 2048, 1, 65535, false, codes));
    } else if (kind == QLatin1String("tif")) {
        test::writeBytes(path, test::tiffBytes(2048, 2048, 1, 16, codes));
    } else {
        QImage png(2048, 2048, QImage::Format_Grayscale16);
        for (int y = 0; y < 2048; ++y)
            for (int x = 0; x < 2048; ++x)
                reinterpret_cast<quint16 *>(png.scanLine(y))[x] = quint16(codes[std::size_t(y) * 2048 + x]);
        png.save(path, "PNG");
    }
    return path;
}

// Read, measure when centring, place, put on the surface and sample as a curve window does.
void openLarge(benchmark::State &s, const char *suffix, PlacementMode mode)
{
    const QString path = largeFrameFile(suffix);
    auto state = std::make_unique<AnalysisState>();
    PictureSurface picture(640, 480);
    picture.setBackColour(rgb(70, 70, 70));
    state->picture.ImageWidth = 640;
    state->picture.ImageHeight = 480;
    SilentProgress progress;
    for (auto _ : s) {
        const WorkspacePicture placed = readWorkspacePicture(path, mode, pictureFileReaders());
        if (!placed.ok()) {
            s.SkipWithError(placed.error.toStdString().c_str());
            return;
        }
        picture.setPicture(placed.placed);
        sampling::ReadColours(state->picture, picture, progress);
        sampling::ComputeGreyMap(state->picture, progress);
        sampling::ScanGreyRangeWithProgress(state->picture, progress);
        benchmark::DoNotOptimize(state->picture.GreyMax);
    }
    s.SetItemsProcessed(s.iterations() * 2048 * 2048);
}
BENCHMARK_CAPTURE(openLarge, pgm_beam, "pgm", PlacementMode::Beam)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(openLarge, pgm_top_left, "pgm", PlacementMode::TopLeft)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(openLarge, pgm_fit, "pgm", PlacementMode::Fit)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(openLarge, png_beam, "png", PlacementMode::Beam)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(openLarge, tiff_beam, "tif", PlacementMode::Beam)->Unit(benchmark::kMillisecond);

// Samples the bench picture into a 640 x 480 state once per iteration with sample(state,
// picture, progress).
template <typename Sample>
void sampleRepeatedly(benchmark::State &s, Sample sample)
{
    auto state = std::make_unique<AnalysisState>();
    PictureSurface picture(640, 480);
    picture.setPicture(bench::beamPicture());
    state->picture.ImageWidth = 640;
    state->picture.ImageHeight = 480;
    SilentProgress progress;
    for (auto _ : s) {
        sample(state->picture, picture, progress);
        benchmark::DoNotOptimize(state->picture.GreyMax);
    }
    s.SetItemsProcessed(s.iterations() * 640 * 480);
}

void BM_SamplingChain640x480(benchmark::State &s)
{
    sampleRepeatedly(s, sampling::SamplePicture);
}
BENCHMARK(BM_SamplingChain640x480)->Unit(benchmark::kMicrosecond);

// The same three stages one after another, each reading the picture's rows again.
void BM_SamplingStages640x480(benchmark::State &s)
{
    sampleRepeatedly(s, [](SampledPicture &sampled, const PictureSurface &picture, ProgressWindows &progress) {
        sampling::ReadColours(sampled, picture, progress);
        sampling::ComputeGreyMap(sampled, progress);
        sampling::ScanGreyRangeWithProgress(sampled, progress);
    });
}
BENCHMARK(BM_SamplingStages640x480)->Unit(benchmark::kMicrosecond);

#ifdef LUMETRA_HAVE_OPENCV
// The reference: OpenCV's BGRA to grey conversion and minMaxLoc over the same picture.
void BM_OpenCvGreyMinMax640x480(benchmark::State &s)
{
    cv::setNumThreads(1);
    QImage image = bench::beamPicture().convertToFormat(QImage::Format_RGB32);
    const cv::Mat bgra(image.height(), image.width(), CV_8UC4, image.bits(), std::size_t(image.bytesPerLine()));
    cv::Mat grey;
    for (auto _ : s) {
        cv::cvtColor(bgra, grey, cv::COLOR_BGRA2GRAY);
        double lo = 0, hi = 0;
        cv::minMaxLoc(grey, &lo, &hi);
        benchmark::DoNotOptimize(hi);
    }
    s.SetItemsProcessed(s.iterations() * 640 * 480);
}
BENCHMARK(BM_OpenCvGreyMinMax640x480)->Unit(benchmark::kMicrosecond);
#endif

} // namespace

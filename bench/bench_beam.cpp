// Beam measurement speed: one camera frame on one core, and a batch of files through
// lumetra-cli beam against the numpy/PIL reference of the same method (tools/beam_reference.py).
#include "analysis/beam/BeamMeasurement.h"
#include "analysis/beam/estimate/BeamWidths.h"
#include "support/SyntheticBeam.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace lumetra;
using namespace lumetra::test;

Scene cameraScene(int width, int height, int bitDepth, unsigned seed = 1)
{
    Scene s;
    s.width = width;
    s.height = height;
    s.bitDepth = bitDepth;
    const double scale = bitDepth == 16 ? 256.0 : 1.0;
    s.darkLevel = 12 * scale;
    s.noise = 1.5 * scale;
    s.tiltX = 0.01 * scale;
    s.fixedPattern = 1.0 * scale;
    s.spots = {Spot{SpotShape::Gaussian, width * 0.47 + seed, height * 0.52, width * 0.12, width * 0.09,
                    20.0 + seed, 180 * scale}};
    s.seed = seed;
    return s;
}

void measureFrame(benchmark::State &state, int width, int height, int bitDepth)
{
    const beam::BeamFrame frame = makeFrame(cameraScene(width, height, bitDepth)).frame;
    for (auto _ : state)
        benchmark::DoNotOptimize(beam::measureBeam(frame));
}

void BM_Measure8Bit1280x960(benchmark::State &state) { measureFrame(state, 1280, 960, 8); }
void BM_Measure16Bit2048x2048(benchmark::State &state) { measureFrame(state, 2048, 2048, 16); }
BENCHMARK(BM_Measure8Bit1280x960)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Measure16Bit2048x2048)->Unit(benchmark::kMillisecond);

// lumetra-cli beam --widths all: D4σ and then every width and shape figure of the same frame.
// The target is at most 1.5 times BM_Measure8Bit1280x960 (today about 1.85 times: see the README).
void measureAllWidths(benchmark::State &state, int width, int height, int bitDepth)
{
    const beam::BeamFrame frame = makeFrame(cameraScene(width, height, bitDepth)).frame;
    for (auto _ : state) {
        benchmark::DoNotOptimize(beam::measureBeamWithWidths(frame));
    }
}

void BM_MeasureWidthsAll8Bit1280x960(benchmark::State &state) { measureAllWidths(state, 1280, 960, 8); }
void BM_MeasureWidthsAll16Bit2048x2048(benchmark::State &state) { measureAllWidths(state, 2048, 2048, 16); }
BENCHMARK(BM_MeasureWidthsAll8Bit1280x960)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeasureWidthsAll16Bit2048x2048)->Unit(benchmark::kMillisecond);

// 40 real-looking 1280 x 960 8-bit PNG camera frames, written once.
const QStringList &batchFiles()
{
    static QTemporaryDir dir;
    static QStringList files;
    if (files.isEmpty())
        for (unsigned i = 1; i <= 40; ++i) {
            const beam::BeamFrame f = makeFrame(cameraScene(1280, 960, 8, i)).frame;
            QImage image(f.width, f.height, QImage::Format_Grayscale8);
            for (int y = 0; y < f.height; ++y)
                for (int x = 0; x < f.width; ++x)
                    image.scanLine(y)[x] = static_cast<uchar>(f.at(x, y));
            files << dir.filePath(QStringLiteral("frame%1.png").arg(i, 2, 10, QLatin1Char('0')));
            image.save(files.back(), "PNG");
        }
    return files;
}

// Runs a program on the batch; the wall time of the whole run is the figure.
void runBatch(benchmark::State &state, const QString &program, const QStringList &lead)
{
    const QStringList files = batchFiles();
    for (auto _ : state) {
        QProcess p;
        QElapsedTimer timer;
        timer.start();
        p.start(program, lead + files);
        if (!p.waitForFinished(600000) || p.exitCode() != 0) {
            state.SkipWithError(qPrintable(QStringLiteral("%1 failed: %2").arg(program, QString::fromUtf8(p.readAllStandardError()))));
            return;
        }
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
    state.counters["files"] = double(files.size());
}

void BM_CliBatch40Frames(benchmark::State &state)
{
    runBatch(state, QCoreApplication::applicationDirPath() + QStringLiteral("/lumetra-cli"),
             {QStringLiteral("beam"), QStringLiteral("--format"), QStringLiteral("csv")});
}

void BM_PythonBatch40Frames(benchmark::State &state)
{
    const QString script = QStringLiteral(LUMETRA_SOURCE_DIR "/tools/beam_reference.py");
    if (!QFileInfo::exists(QStringLiteral("/usr/bin/python3"))) {
        state.SkipWithError("/usr/bin/python3 is missing");
        return;
    }
    runBatch(state, QStringLiteral("/usr/bin/python3"), {script});
}

BENCHMARK(BM_CliBatch40Frames)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PythonBatch40Frames)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

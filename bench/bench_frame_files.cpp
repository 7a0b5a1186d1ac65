// Reading camera frames from files: a 2048 x 2048 16-bit and a 1280 x 960 8-bit grey PNG as Qt
// writes them (a beam over a noisy dark level), read whole from a file and decoded from bytes in
// memory, beside the same frame as the binary PGM Qt writes of it.
#include "platform/framefiles/FrameFile.h"
#include "platform/framefiles/PngFrame.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

using namespace lumetra;

QImage cameraPicture(int width, int height, bool deep)
{
    QImage image(width, height, deep ? QImage::Format_Grayscale16 : QImage::Format_Grayscale8);
    const double scale = deep ? 256.0 : 1.0, top = deep ? 65535.0 : 255.0;
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 1.5 * scale);
    const double cx = width * 0.47, cy = height * 0.52, w = width * 0.12;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double r2 = ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (w * w);
            const double v = std::clamp(12 * scale + 180 * scale * std::exp(-2 * r2) + noise(random), 0.0, top);
            if (deep)
                reinterpret_cast<quint16 *>(image.scanLine(y))[x] = quint16(std::lround(v));
            else
                image.scanLine(y)[x] = uchar(std::lround(v));
        }
    return image;
}

struct Files
{
    QTemporaryDir dir;
    QString png16, png8, pgm16;
    QByteArray png16Bytes;

    Files()
    {
        const QImage deep = cameraPicture(2048, 2048, true);
        png16 = dir.filePath(QStringLiteral("deep.png"));
        png8 = dir.filePath(QStringLiteral("camera.png"));
        pgm16 = dir.filePath(QStringLiteral("deep.pgm"));
        deep.save(png16, "PNG");
        cameraPicture(1280, 960, false).save(png8, "PNG");
        deep.save(pgm16, "PGM");
        QFile file(png16);
        if (file.open(QIODevice::ReadOnly))
            png16Bytes = file.readAll();
    }
};

const Files &files()
{
    static const Files f;
    return f;
}

void readFile(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
        const FrameReadResult r = readFrameFile(path);
        if (!r.ok()) {
            state.SkipWithError(qPrintable(r.error));
            return;
        }
        benchmark::DoNotOptimize(r.frame.values.data());
    }
}

void BM_ReadPng16Bit2048x2048(benchmark::State &state) { readFile(state, files().png16); }
void BM_ReadPng8Bit1280x960(benchmark::State &state) { readFile(state, files().png8); }
void BM_ReadPgm2048x2048(benchmark::State &state) { readFile(state, files().pgm16); }

void BM_DecodePng16Bit2048x2048InMemory(benchmark::State &state)
{
    const QByteArray &bytes = files().png16Bytes;
    for (auto _ : state) {
        beam::BeamFrame frame;
        if (!decodePngFrame(bytes, frame)) {
            state.SkipWithError("not decoded");
            return;
        }
        benchmark::DoNotOptimize(frame.values.data());
    }
}

BENCHMARK(BM_ReadPng16Bit2048x2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPng8Bit1280x960)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPgm2048x2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePng16Bit2048x2048InMemory)->Unit(benchmark::kMillisecond);

} // namespace

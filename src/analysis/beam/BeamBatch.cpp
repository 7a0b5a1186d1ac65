#include "analysis/beam/BeamBatch.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <thread>

namespace lumetra::beam {

namespace {

BeamFileResult measureFile(const QString &path, const BeamOptions &options, const BeamFrame *dark,
                           const FrameReader &readFrame, bool withWidths)
{
    BeamFileResult out;
    out.path = path;
    FrameReadResult read = readFrame(path);
    if (!read.ok()) {
        out.error = read.error;
        return out;
    }
    out.width = read.frame.width;
    out.height = read.frame.height;
    out.bitDepth = read.frame.bitDepth;
    try {
        out.result = measureBeam(read.frame, options, dark);
        if (withWidths)
            out.widths = measureWidths(read.frame, out.result, options, dark);
    } catch (const std::invalid_argument &e) {
        out.error = QStringLiteral("%1: %2").arg(QString::fromStdString(e.what()), path);
    }
    return out;
}

} // namespace

std::vector<BeamFileResult> measureBeamFiles(const QStringList &paths, const BeamOptions &options,
                                             const BeamFrame *dark, const FrameReader &read, int workerCount,
                                             bool withWidths)
{
    std::vector<BeamFileResult> results(static_cast<std::size_t>(paths.size()));
    std::atomic<qsizetype> next{0};
    // Each worker reads, decodes and measures whole files: one frame in memory per worker.
    const auto work = [&] {
        for (qsizetype i = next++; i < paths.size(); i = next++)
            results[std::size_t(i)] = measureFile(paths[i], options, dark, read, withWidths);
    };
    const qsizetype cores =
        workerCount > 0 ? workerCount : qsizetype(std::max(1u, std::thread::hardware_concurrency()));
    const qsizetype workers = std::min<qsizetype>(paths.size(), cores);
    std::vector<std::thread> threads;
    for (qsizetype t = 1; t < workers; ++t)
        threads.emplace_back(work);
    work();
    for (std::thread &t : threads)
        t.join();
    return results;
}

} // namespace lumetra::beam

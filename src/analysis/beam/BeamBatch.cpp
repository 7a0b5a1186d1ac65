#include "analysis/beam/BeamBatch.h"

#include "types/MessageLanguage.h"
#include <algorithm>
#include <atomic>
#include <exception>
#include <new>
#include <stdexcept>
#include <system_error>
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
        if (withWidths) {
            MeasuredBeam measured = measureBeamWithWidths(read.frame, options, dark);
            out.result = measured.result;
            out.widths = std::move(measured.widths);
        } else {
            out.result = measureBeam(read.frame, options, dark);
        }
    } catch (const std::invalid_argument &e) {
        out.error = QStringLiteral("%1: %2").arg(QString::fromStdString(e.what()), path);
    }
    return out;
}

// Whatever goes wrong with one file (memory running out included) becomes that file's error:
// a worker never ends the program.
BeamFileResult measureFileSafely(const QString &path, const BeamOptions &options, const BeamFrame *dark,
                                 const FrameReader &readFrame, bool withWidths) noexcept
{
    const auto failed = [&path](const QString &why) {
        BeamFileResult out;
        try {
            out.path = path;
            out.error = QStringLiteral("%1: %2").arg(why, path);
        } catch (...) {
        }
        return out;
    };
    try {
        return measureFile(path, options, dark, readFrame, withWidths);
    } catch (const std::bad_alloc &) {
        return failed(messageText("内存不足，无法测量", "not enough memory to measure"));
    } catch (const std::exception &e) {
        return failed(messageText("测量失败 (%1)", "the measurement failed (%1)").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        return failed(messageText("测量失败", "the measurement failed"));
    }
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
            results[std::size_t(i)] = measureFileSafely(paths[i], options, dark, read, withWidths);
    };
    const qsizetype cores =
        workerCount > 0 ? workerCount : qsizetype(std::max(1u, std::thread::hardware_concurrency()));
    const qsizetype workers = std::min<qsizetype>(paths.size(), cores);
    {
        // Joined when the block ends, also when starting a thread fails: the workers started
        // and this thread share the files out.
        std::vector<std::jthread> threads;
        try {
            for (qsizetype t = 1; t < workers; ++t)
                threads.emplace_back(work);
        } catch (const std::system_error &) {
        } catch (const std::bad_alloc &) {
        }
        work();
    }
    return results;
}

} // namespace lumetra::beam

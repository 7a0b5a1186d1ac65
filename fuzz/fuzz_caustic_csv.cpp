// The caustic diameters CSV on arbitrary bytes: axes of equal length with finite values, or a
// one-line reason naming the file.
#include "FuzzFile.h"

#include "cli/CausticCsv.h"
#include "cli/CliCommand.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = lumetra::fuzz::writeInput(".csv", data, size);
    try {
        const auto axes = lumetra::cli::readDiametersCsv(path);
        if (axes.empty() || axes.size() > 2)
            std::abort();
        for (const auto &axis : axes) {
            if (axis.points.size() != axes.front().points.size())
                std::abort();
            for (const auto &p : axis.points)
                if (!std::isfinite(p.zMm) || !std::isfinite(p.dUm))
                    std::abort();
        }
    } catch (const lumetra::cli::CliError &e) {
        if (!QString::fromStdString(e.what()).contains(path))
            std::abort();
    }
    return 0;
}

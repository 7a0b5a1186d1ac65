#pragma once

#include "analysis/beam/BeamMeasurement.h"
#include "analysis/beam/estimate/BeamWidths.h"
#include "types/PictureReaders.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace lumetra::beam {

struct BeamFileResult
{
    QString path;
    QString error;             // empty when the file was read
    int width = 0, height = 0, bitDepth = 0;
    BeamResult result;
    std::optional<BeamWidths> widths; // when asked for and the file was read
};

// Reads (with `read`) and measures every file in parallel, on `workerCount` workers (0: one per
// core), results in the given order. A file that cannot be read gets error set and is still
// reported (width 0). A dark frame whose size differs from a file's is reported as that file's
// error (width set). withWidths: the widths and shape figures too.
std::vector<BeamFileResult> measureBeamFiles(const QStringList &paths, const BeamOptions &options,
                                             const BeamFrame *dark, const FrameReader &read,
                                             int workerCount = 0, bool withWidths = false);

} // namespace lumetra::beam

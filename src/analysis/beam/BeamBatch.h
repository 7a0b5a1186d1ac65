#pragma once

#include "analysis/beam/BeamMeasurement.h"
#include "types/PictureReaders.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lumetra::beam {

struct BeamFileResult
{
    QString path;
    QString error;             // empty when the file was read
    int width = 0, height = 0, bitDepth = 0;
    BeamResult result;
};

// Reads (with `read`) and measures every file in parallel on every core, results in the given
// order. A file that cannot be read gets error set and is still reported. A dark frame whose size
// differs from a file's is reported as that file's error.
std::vector<BeamFileResult> measureBeamFiles(const QStringList &paths, const BeamOptions &options,
                                             const BeamFrame *dark, const FrameReader &read);

} // namespace lumetra::beam

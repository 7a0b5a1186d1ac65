#pragma once

#include "analysis/beam/BeamMeasurement.h"
#include "analysis/beam/BeamWidths.h"
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


} // namespace lumetra::beam

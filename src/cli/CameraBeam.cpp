#include "cli/CameraBeam.h"

#include "analysis/beam/BeamBatch.h"
#include "analysis/beam/report/BeamRows.h"
#include "analysis/beam/estimate/BeamWidths.h"
#include "cli/CliCommand.h"

#include <cstdio>
#include <stdexcept>

namespace lumetra::cli {

int measureCameraBeams(const CameraRequest &request, const beam::BeamOptions &options, const beam::BeamFrame *dark,
                       std::optional<double> pixelSizeUm, bool csv, bool widths)
{
    request.check();
    if (csv)
        std::printf("%s\n", beam::beamCsvHeader(pixelSizeUm.has_value(), widths).c_str());
    else
        std::printf("[");
    std::fflush(stdout);
    bool first = true;
    grabFrames(request, [&](int n, const beam::BeamFrame &frame, int depth) {
        if (dark && (dark->width != frame.width || dark->height != frame.height))
            throw CliError(QStringLiteral("the dark frame is %1 x %2, the camera's frames %3 x %4")
                               .arg(dark->width).arg(dark->height).arg(frame.width).arg(frame.height));
        beam::BeamFileResult r;
        r.path = QStringLiteral("%1#%2").arg(request.camera).arg(n);
        r.width = frame.width;
        r.height = frame.height;
        r.bitDepth = depth;
        try {
            if (widths) {
                beam::MeasuredBeam measured = beam::measureBeamWithWidths(frame, options, dark);
                r.result = measured.result;
                r.widths = std::move(measured.widths);
            } else {
                r.result = beam::measureBeam(frame, options, dark);
            }
        } catch (const std::invalid_argument &e) {
            r.error = QString::fromStdString(e.what());
        }
        const nlohmann::json row = beam::beamRowJson(r, pixelSizeUm, widths);
        if (csv)
            std::printf("%s\n", beam::beamCsvLine(row, pixelSizeUm.has_value(), widths).c_str());
        else
            std::printf("%s\n  %s", first ? "" : ",", beam::beamRowOrdered(row).dump().c_str());
        first = false;
        std::fflush(stdout);
    });
    if (!csv)
        std::printf("\n]\n");
    return 0;
}

} // namespace lumetra::cli

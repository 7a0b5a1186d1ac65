#include "python/ModuleFunctions.h"

#include "python/FrameInput.h"
#include "python/JsonToPython.h"
#include "python/PythonPaths.h"

#include "analysis/beam/report/BeamRows.h"
#include "platform/framefiles/FrameFile.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace py = pybind11;

namespace lumetra::python {

namespace {

// What the caller's object says of its depth: a lumetra.Frame carries its file's.
struct Depth
{
    std::optional<int> bitDepth;
    std::optional<double> top;
};

Depth depthOf(const py::handle &frame, const FrameInput &input, std::optional<double> top)
{
    Depth depth{input.bitDepth(), input.typeTop()};
    if (py::isinstance(frame, py::module_::import("lumetra").attr("Frame"))) {
        const py::object bits = frame.attr("bit_depth"), code = frame.attr("top_value");
        if (!bits.is_none())
            depth.bitDepth = bits.cast<int>();
        if (!code.is_none())
            depth.top = code.cast<double>();
    }
    if (top) {
        if (!std::isfinite(*top) || *top <= 0) {
            char text[32];
            const auto end = std::to_chars(text, text + sizeof text, *top).ptr;
            throw std::invalid_argument("top needs a positive number, not " + std::string(text, end));
        }
        depth.top = top;
    }
    return depth;
}

} // namespace

py::dict measureBeam(const py::object &frame, std::optional<double> top, const py::object &dark,
                     const OptionArgs &optionArgs)
{
    if (isPathLike(frame))
        throw py::type_error("measure_beam takes an array: read the file with read_frame(path) first, or "
                             "measure files with measure_files(paths)");
    const MeasureOptions options = measureOptions(optionArgs);
    FrameInput input(frame, "frame");
    const Depth depth = depthOf(frame, input, top);

    std::optional<FrameInput> darkInput;
    std::optional<FrameReadResult> darkFile;
    QString darkPath;
    if (!dark.is_none() && isPathLike(dark)) {
        darkPath = qtPath(dark);
        py::gil_scoped_release release;
        darkFile = readFrameFile(darkPath);
    } else if (!dark.is_none()) {
        darkInput.emplace(dark, "dark frame");
    }
    if (darkFile && !darkFile->ok())
        throwReadError(darkPath, QStringLiteral("cannot read the dark frame: %1").arg(darkFile->error));

    beam::BeamFileResult measured;
    measured.width = input.width();
    measured.height = input.height();
    measured.bitDepth = depth.bitDepth.value_or(0);
    {
        // From here to the result, no Python object is touched: other threads run meanwhile.
        py::gil_scoped_release release;
        input.load();
        std::optional<beam::BeamFrameView> darkView;
        if (darkInput) {
            darkInput->load();
            darkView = darkInput->view(0);
        } else if (darkFile) {
            const beam::BeamFrame &d = darkFile->frame;
            darkView = beam::BeamFrameView{d.values.data(), d.width, d.height, d.topValue};
        }
        // Without a top code (floating-point samples) no pixel counts as saturated.
        const double topValue = depth.top.value_or(std::numeric_limits<double>::infinity());
        const beam::BeamFrameView *darkPointer = darkView ? &*darkView : nullptr;
        if (options.widths) {
            beam::MeasuredBeam both = beam::measureBeamWithWidths(input.view(topValue), options.beam, darkPointer);
            measured.result = both.result;
            measured.widths = std::move(both.widths);
        } else {
            measured.result = beam::measureBeam(input.view(topValue), options.beam, darkPointer);
        }
    }

    nlohmann::json row = beam::beamRowJson(measured, options.pixelSizeUm, options.widths);
    row.erase("image");
    if (!depth.bitDepth)
        row["bit_depth"] = nullptr;
    if (!depth.top)
        row["saturated_pixels"] = nullptr;
    return toPython(beam::beamRowOrdered(row));
}

} // namespace lumetra::python

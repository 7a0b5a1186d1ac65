#include "python/ModuleFunctions.h"

#include "python/FrameInput.h"
#include "python/JsonToPython.h"
#include "python/PythonPaths.h"

#include "analysis/beam/BeamBatch.h"
#include "platform/framefiles/PictureFiles.h"
#include "analysis/beam/report/BeamRows.h"
#include "platform/framefiles/FrameFile.h"

namespace py = pybind11;

namespace lumetra::python {

namespace {

// The dark frame for the batch: read from its file or copied from the caller's array.
std::optional<beam::BeamFrame> darkFrame(const py::object &dark)
{
    if (dark.is_none())
        return std::nullopt;
    if (isPathLike(dark)) {
        const QString path = qtPath(dark);
        FrameReadResult read;
        {
            py::gil_scoped_release release;
            read = readFrameFile(path);
        }
        if (!read.ok())
            throwReadError(path, QStringLiteral("cannot read the dark frame: %1").arg(read.error));
        return std::move(read.frame);
    }
    FrameInput input(dark, "dark frame");
    py::gil_scoped_release release;
    input.load();
    return input.frame(0);
}

} // namespace

py::list measureFiles(const py::object &paths, int threads, const py::object &dark,
                      const OptionArgs &optionArgs, const std::string &errors)
{
    if (isPathLike(paths))
        throw py::type_error("measure_files takes a list of paths; for one file give [path]");
    if (errors != "raise" && errors != "row")
        throw std::invalid_argument("errors must be 'raise' or 'row', not '" + errors + "'");
    if (threads < 0)
        throw std::invalid_argument("threads must be 0 (one per core) or more, not " +
                                    std::to_string(threads));
    const MeasureOptions options = measureOptions(optionArgs);

    QStringList files;
    std::vector<py::str> names;
    for (const py::handle path : py::iter(paths)) {
        files << qtPath(path);
        names.push_back(displayPath(path));
    }
    const std::optional<beam::BeamFrame> darkValues = darkFrame(dark);

    std::vector<beam::BeamFileResult> measured;
    {
        py::gil_scoped_release release;
        measured = beam::measureBeamFiles(files, options.beam, darkValues ? &*darkValues : nullptr,
                                          pictureFileReaders().frame, threads, options.widths);
    }

    py::list rows;
    for (std::size_t i = 0; i < measured.size(); ++i) {
        const beam::BeamFileResult &r = measured[i];
        if (!r.error.isEmpty() && errors == "raise") {
            // The batch reads a file before it measures it: a file with a size was read, and
            // failed the measurement (a dark frame of another size).
            if (r.width > 0)
                throw std::invalid_argument(r.error.toStdString());
            throwReadError(r.path, r.error);
        }
        py::object row = toPython(beam::beamRowOrdered(beam::beamRowJson(r, options.pixelSizeUm, options.widths)));
        row["image"] = names[i];
        rows.append(row);
    }
    return rows;
}

} // namespace lumetra::python

#include "python/ModuleFunctions.h"

#include "python/PythonPaths.h"

#include "platform/framefiles/FrameFile.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace py = pybind11;

namespace lumetra::python {

namespace {

// Whether every value is a whole code the integer type holds, so it loses nothing.
bool wholeCodes(const Samples &values, float top)
{
    return std::all_of(values.begin(), values.end(),
                       [top](float v) { return v >= 0 && v <= top && v == std::floor(v); });
}

template <typename T> py::array integerArray(const beam::BeamFrame &frame)
{
    py::array_t<T> array({py::ssize_t(frame.height), py::ssize_t(frame.width)});
    T *out = array.mutable_data();
    {
        py::gil_scoped_release release;
        std::transform(frame.values.begin(), frame.values.end(), out,
                       [](float v) { return static_cast<T>(v); });
    }
    return array;
}

// The float samples handed over without a copy: the array owns the vector.
py::array floatArray(beam::BeamFrame &frame)
{
    auto *values = new Samples(std::move(frame.values));
    const py::capsule owner(values, [](void *p) { delete static_cast<Samples *>(p); });
    return py::array_t<float>({py::ssize_t(frame.height), py::ssize_t(frame.width)}, values->data(), owner);
}

} // namespace

py::array readFrame(const py::object &path)
{
    const QString file = qtPath(path);
    FrameReadResult read;
    bool whole = false;
    {
        py::gil_scoped_release release;
        read = readFrameFile(file);
        if (read.ok())
            whole = wholeCodes(read.frame.values, read.frame.bitDepth == 8 ? 255.0f : 65535.0f);
    }
    if (!read.ok())
        throwReadError(file, read.error);
    beam::BeamFrame &f = read.frame;
    const int bitDepth = f.bitDepth;
    const double topValue = f.topValue;
    py::array array;
    if (!whole)
        array = floatArray(f); // a colour file's grey, 0.299 R + 0.587 G + 0.114 B, is not rounded
    else if (bitDepth == 8)
        array = integerArray<std::uint8_t>(f);
    else
        array = integerArray<std::uint16_t>(f);
    py::object frame = array.attr("view")(py::module_::import("lumetra").attr("Frame"));
    frame.attr("bit_depth") = bitDepth;
    frame.attr("top_value") = topValue;
    frame.attr("path") = displayPath(path);
    return py::reinterpret_borrow<py::array>(frame); // still the Frame
}

} // namespace lumetra::python

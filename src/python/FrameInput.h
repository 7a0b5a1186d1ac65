#pragma once

#include "analysis/beam/BeamMeasurement.h"

#include <pybind11/numpy.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::python {

// A grey frame handed in from Python: a 2-D uint8, uint16, float32 or float64 array (or what
// numpy.asarray makes of an object). An aligned C-contiguous float32 array is measured in place;
// any other is converted once into the core's float samples, whatever its strides.
class FrameInput
{
public:
    // Checks type and shape; needs the GIL. `what` names the frame in messages ("frame", "dark
    // frame"). Throws pybind11::type_error for a type the core does not take and
    // std::invalid_argument (ValueError) for an array that is not 2-D or is empty.
    FrameInput(const pybind11::handle &object, const std::string &what);

    // Converts the samples where needed and checks that they are finite. Touches no Python
    // object, so it runs without the GIL. Throws std::invalid_argument naming the first bad pixel.
    void load();

    // The loaded samples, for the core.
    beam::BeamFrameView view(double topValue) const;
    // A copy of the loaded samples as a frame of its own.
    beam::BeamFrame frame(double topValue) const;

    int width() const { return m_width; }
    int height() const { return m_height; }
    // 8 or 16 for uint8 and uint16 samples; nothing for floating-point ones.
    std::optional<int> bitDepth() const;
    // The type's top code (255, 65535); nothing for floating-point samples.
    std::optional<double> typeTop() const;

private:
    enum class Type { UInt8, UInt16, Float32, Float64 };

    template <typename T> void convert();

    pybind11::array m_array; // keeps the samples alive while they are read
    Type m_type = Type::Float32;
    const char *m_data = nullptr;
    std::ptrdiff_t m_rowStride = 0, m_columnStride = 0; // in bytes, either may be negative
    int m_width = 0, m_height = 0;
    const float *m_samples = nullptr; // the caller's array or m_converted
    std::vector<float> m_converted;
    std::string m_what;
};

} // namespace lumetra::python

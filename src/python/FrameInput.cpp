#include "python/FrameInput.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace py = pybind11;

namespace lumetra::python {

namespace {

std::string shapeText(const py::array &array)
{
    std::string text;
    for (py::ssize_t d = 0; d < array.ndim(); ++d)
        text += (d ? " x " : "") + std::to_string(array.shape(d));
    return text;
}

// The index of the first NaN or infinite sample, or n. The integer test of the exponent bits
// vectorises; only a frame that has a bad sample is scanned a second time.
std::size_t firstNonFinite(const float *values, std::size_t n)
{
    std::uint32_t bad = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t bits;
        std::memcpy(&bits, values + i, sizeof bits);
        bad |= (bits & 0x7f800000u) == 0x7f800000u;
    }
    if (!bad)
        return n;
    std::size_t i = 0;
    while (std::isfinite(values[i]))
        ++i;
    return i;
}

} // namespace

FrameInput::FrameInput(const py::handle &object, const std::string &what) : m_what(what)
{
    m_array = py::array::ensure(object);
    if (!m_array)
        throw py::type_error("the " + what + " must be a 2-D numpy array, not " +
                             std::string(py::str(py::type::of(object).attr("__name__"))));
    py::dtype type = m_array.dtype();
    if (!type.attr("isnative").cast<bool>()) { // a big-endian array: swapped into a native copy
        m_array = m_array.attr("astype")(type.attr("newbyteorder")("="));
        type = m_array.dtype();
    }
    const char kind = type.kind();
    const py::ssize_t size = type.itemsize();
    if (kind == 'u' && size == 1)
        m_type = Type::UInt8;
    else if (kind == 'u' && size == 2)
        m_type = Type::UInt16;
    else if (kind == 'f' && size == 4)
        m_type = Type::Float32;
    else if (kind == 'f' && size == 8)
        m_type = Type::Float64;
    else
        throw py::type_error("the " + what + "'s samples are " + std::string(py::str(type)) +
                             ": the measurement takes uint8, uint16, float32 or float64 (convert with "
                             "frame.astype(numpy.float64))");
    if (m_array.ndim() != 2)
        throw std::invalid_argument("the " + what + " is " + std::to_string(m_array.ndim()) + "-D (" +
                                    shapeText(m_array) +
                                    "): the measurement takes one grey frame, a 2-D array of rows x columns "
                                    "(read_frame gives colour files as 0.299 R + 0.587 G + 0.114 B)");
    if (m_array.shape(0) == 0 || m_array.shape(1) == 0)
        throw std::invalid_argument("the " + what + " is empty (" + shapeText(m_array) + ")");
    if (m_array.shape(0) > INT_MAX || m_array.shape(1) > INT_MAX)
        throw std::invalid_argument("the " + what + " is too large (" + shapeText(m_array) + ")");
    m_height = int(m_array.shape(0));
    m_width = int(m_array.shape(1));
    m_rowStride = m_array.strides(0);
    m_columnStride = m_array.strides(1);
    m_data = static_cast<const char *>(m_array.data());
}

template <typename T> void FrameInput::convert()
{
    m_converted.resize(std::size_t(m_width) * std::size_t(m_height));
    float *out = m_converted.data();
    for (int y = 0; y < m_height; ++y) {
        const char *row = m_data + std::ptrdiff_t(y) * m_rowStride;
        if (m_columnStride == std::ptrdiff_t(sizeof(T))) {
            for (int x = 0; x < m_width; ++x) {
                T v;
                std::memcpy(&v, row + std::size_t(x) * sizeof(T), sizeof v);
                *out++ = static_cast<float>(v);
            }
        } else {
            for (int x = 0; x < m_width; ++x) {
                T v;
                std::memcpy(&v, row + std::ptrdiff_t(x) * m_columnStride, sizeof v);
                *out++ = static_cast<float>(v);
            }
        }
    }
    m_samples = m_converted.data();
}

void FrameInput::load()
{
    const bool contiguous = (m_width == 1 || m_columnStride == std::ptrdiff_t(sizeof(float))) &&
                            (m_height == 1 || m_rowStride == std::ptrdiff_t(sizeof(float)) * m_width);
    const bool aligned = reinterpret_cast<std::uintptr_t>(m_data) % alignof(float) == 0;
    switch (m_type) {
    case Type::UInt8: convert<std::uint8_t>(); return; // every integer is finite
    case Type::UInt16: convert<std::uint16_t>(); return;
    case Type::Float32:
        if (contiguous && aligned)
            m_samples = reinterpret_cast<const float *>(m_data);
        else
            convert<float>();
        break;
    case Type::Float64: convert<double>(); break;
    }
    const std::size_t n = std::size_t(m_width) * std::size_t(m_height);
    const std::size_t bad = firstNonFinite(m_samples, n);
    if (bad < n)
        throw std::invalid_argument("the " + m_what +
                                    " holds a value that is NaN, infinite or beyond float32's " +
                                    "range (row " + std::to_string(bad / std::size_t(m_width)) + ", column " +
                                    std::to_string(bad % std::size_t(m_width)) + ")");
}

beam::BeamFrameView FrameInput::view(double topValue) const
{
    return beam::BeamFrameView{m_samples, m_width, m_height, topValue};
}

beam::BeamFrame FrameInput::frame(double topValue) const
{
    beam::BeamFrame f;
    f.width = m_width;
    f.height = m_height;
    f.bitDepth = bitDepth().value_or(16);
    f.topValue = topValue;
    f.values.assign(m_samples, m_samples + std::size_t(m_width) * std::size_t(m_height));
    return f;
}

std::optional<int> FrameInput::bitDepth() const
{
    switch (m_type) {
    case Type::UInt8: return 8;
    case Type::UInt16: return 16;
    default: return std::nullopt;
    }
}

std::optional<double> FrameInput::typeTop() const
{
    switch (m_type) {
    case Type::UInt8: return 255.0;
    case Type::UInt16: return 65535.0;
    default: return std::nullopt;
    }
}

} // namespace lumetra::python

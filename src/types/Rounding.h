#pragma once

#include <cstdint>

namespace lumetra::rounding {

// Round to the nearest integer, halves to the even neighbour, as std::nearbyint does in the
// default rounding mode. Adding and subtracting 1.5 * 2^52 leaves no fraction bits, so the
// hardware's round-to-nearest-even does the work; this stays inline and vectorisable where
// std::nearbyint is a library call. Valid for |v| < 2^51, far beyond any value used here. The
// build never uses -ffast-math, which would be free to fold the pair away.
inline double halfEven(double v)
{
    constexpr double magic = 6755399441055744.0; // 1.5 * 2^52
    return (v + magic) - magic;
}

// The stored value of a 16-bit integer variable assigned from a number.
inline int16_t toInt16(double v)
{
    return static_cast<int16_t>(halfEven(v));
}

} // namespace lumetra::rounding

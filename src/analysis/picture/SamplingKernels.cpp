// Row kernels of the sampling routines.
#include "analysis/picture/SamplingKernels.h"

#include "analysis/WideKernel.h"

#include "types/Rounding.h"

#include <algorithm>


namespace lumetra::sampling {

namespace {

// The grey formula exactly as it is defined: the double sum in the order green, red, blue,
// rounded half to even. Kept out of the wide kernels: built for a processor with fused
// multiply-add, the compiler would contract the sum and round differently at exact halves.
__attribute__((noinline)) int greyOfDouble(int red, int green, int blue)
{
    return static_cast<int>(rounding::halfEven(0.587 * green + 0.299 * red + 0.114 * blue));
}

// The grey formula in integers. With S = 587 g + 299 r + 114 b the exact sum is S / 1000, and the
// double sum is within 1e-11 of it for any 16-bit channels, so it rounds to floor((S + 500) / 1000)
// unless S / 1000 is exactly halfway between two integers; only there can the rounding errors of
// the double sum decide, and those pixels take the double formula.
//
// u = S + 1500 shifts the real colours (red -1..255, green and blue 0..255) into 1201..256500;
// for u < 2^18, u / 1000 = ((u >> 3) * 33555) >> 22 exactly, in 32 bits.
constexpr unsigned FastLimit = 1u << 18;

inline unsigned shifted(int red, int green, int blue)
{
    return static_cast<unsigned>(587 * green + 299 * red + 114 * blue + 1500);
}
inline unsigned thousandths(unsigned u)
{
    return ((u >> 3) * 33555u) >> 22;
}
// True where the integer path does not give the double formula's result.
inline unsigned needsDouble(unsigned u, unsigned q)
{
    return static_cast<unsigned>(u >= FastLimit) | static_cast<unsigned>(u == q * 1000u);
}

// One grey value by the integer path; true where it does not give the double formula's result.
inline bool greyOf(int red, int green, int blue, int &grey)
{
    const unsigned u = shifted(red, green, blue);
    const unsigned q = thousandths(u);
    grey = static_cast<int>(q) - 1;
    return needsDouble(u, q) != 0;
}

// Exact halves (about one pixel in a thousand of a colour picture) and colours outside 0..255
// take the double formula.
void mendExceptions(const int16_t *red, const int16_t *green, const int16_t *blue, int *grey, int count)
{
    for (int i = 0; i < count; ++i) {
        int integer = 0;
        if (greyOf(red[i], green[i], blue[i], integer))
            grey[i] = greyOfDouble(red[i], green[i], blue[i]);
    }
}

} // namespace

LUMETRA_WIDE_KERNEL
void splitColours(const QRgb *__restrict line, int16_t *__restrict red, int16_t *__restrict green,
                  int16_t *__restrict blue, int count)
{
    for (int i = 0; i < count; ++i) {
        const QRgb c = line[i];
        red[i] = static_cast<int16_t>((c >> 16) & 0xffu);
        green[i] = static_cast<int16_t>((c >> 8) & 0xffu);
        blue[i] = static_cast<int16_t>(c & 0xffu);
    }
}

LUMETRA_WIDE_KERNEL
void splitColoursAndGrey(const QRgb *__restrict line, int16_t *__restrict red, int16_t *__restrict green,
                         int16_t *__restrict blue, int *__restrict grey, int count)
{
    unsigned exceptions = 0;
    for (int i = 0; i < count; ++i) {
        const QRgb c = line[i];
        const int r = static_cast<int>((c >> 16) & 0xffu), g = static_cast<int>((c >> 8) & 0xffu),
                  b = static_cast<int>(c & 0xffu);
        red[i] = static_cast<int16_t>(r);
        green[i] = static_cast<int16_t>(g);
        blue[i] = static_cast<int16_t>(b);
        exceptions |= unsigned(greyOf(r, g, b, grey[i]));
    }
    if (exceptions != 0)
        mendExceptions(red, green, blue, grey, count);
}

LUMETRA_WIDE_KERNEL
void greyRow(const int16_t *__restrict red, const int16_t *__restrict green, const int16_t *__restrict blue,
             int *__restrict grey, int count)
{
    unsigned exceptions = 0;
    for (int i = 0; i < count; ++i)
        exceptions |= unsigned(greyOf(red[i], green[i], blue[i], grey[i]));
    if (exceptions != 0)
        mendExceptions(red, green, blue, grey, count);
}

// Grey values are 0..255: taking one off in unsigned arithmetic turns 0 into the largest value,
// so a plain minimum skips it and the loop vectorises.
LUMETRA_WIDE_KERNEL
void rangeRow(const int *values, int count, int &maxValue, int &minValue)
{
    int mx = maxValue;
    unsigned mn = static_cast<unsigned>(minValue) - 1u;
    for (int i = 0; i < count; ++i) {
        const int g = values[i];
        mx = std::max(mx, g);
        mn = std::min(mn, static_cast<unsigned>(g) - 1u);
    }
    maxValue = mx;
    if (minValue != 0)
        minValue = static_cast<int>(mn + 1u);
}

} // namespace lumetra::sampling

#include "platform/framefiles/PngUnfilter.h"

#include <cstdlib>

namespace lumetra {

namespace {

constexpr int Sub = 1, Up = 2, Average = 3, Paeth = 4;

// The prediction of a byte from its left neighbour a, the byte above b and the one above-left c.
// Paeth's choice without branches: on noisy pictures it is a coin toss a branch would miss.
template <int Filter>
inline int predict(int a, int b, int c)
{
    if constexpr (Filter == Sub) {
        return a;
    } else if constexpr (Filter == Average) {
        return (a + b) >> 1;
    } else {
        const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
        const int notA = pb <= pc ? b : c;
        return int(pa <= pb) & int(pa <= pc) ? a : notA;
    }
}

// Pixel by pixel with the left pixel's bytes in registers (a byte read back from the row just
// written would wait for its store).
template <int Bpp, int Filter>
void fromLeft(uchar *cur, const uchar *prev, std::size_t n)
{
    int left[Bpp] = {}, upLeft[Bpp] = {};
    for (std::size_t i = 0; i + Bpp <= n; i += Bpp)
        for (int k = 0; k < Bpp; ++k) {
            const std::size_t at = i + std::size_t(k);
            const int b = prev[at];
            const int v = uchar(cur[at] + predict<Filter>(left[k], b, upLeft[k]));
            cur[at] = uchar(v);
            left[k] = v;
            upLeft[k] = b;
        }
}

// Two rows: the second's byte above is the first's byte just unfiltered.
template <int Bpp, int FirstFilter, int SecondFilter>
void pairFromLeft(uchar *first, uchar *second, const uchar *prev, std::size_t n)
{
    int left1[Bpp] = {}, upLeft1[Bpp] = {}, left2[Bpp] = {}, upLeft2[Bpp] = {};
    for (std::size_t i = 0; i + Bpp <= n; i += Bpp)
        for (int k = 0; k < Bpp; ++k) {
            const std::size_t at = i + std::size_t(k);
            const int b1 = prev[at];
            const int v1 = uchar(first[at] + predict<FirstFilter>(left1[k], b1, upLeft1[k]));
            first[at] = uchar(v1);
            left1[k] = v1;
            upLeft1[k] = b1;
            const int v2 = uchar(second[at] + predict<SecondFilter>(left2[k], v1, upLeft2[k]));
            second[at] = uchar(v2);
            left2[k] = v2;
            upLeft2[k] = v1;
        }
}

template <int Bpp>
bool unfilter(int filter, uchar *cur, const uchar *prev, std::size_t n)
{
    switch (filter) {
    case 0:
        return true;
    case Sub:
        fromLeft<Bpp, Sub>(cur, prev, n);
        return true;
    case Up:
        for (std::size_t i = 0; i < n; ++i)
            cur[i] = uchar(cur[i] + prev[i]);
        return true;
    case Average:
        fromLeft<Bpp, Average>(cur, prev, n);
        return true;
    case Paeth:
        fromLeft<Bpp, Paeth>(cur, prev, n);
        return true;
    default:
        return false;
    }
}

template <int Bpp, int FirstFilter>
void pairWithFirst(int secondFilter, uchar *first, uchar *second, const uchar *prev, std::size_t n)
{
    switch (secondFilter) {
    case Sub:
        return pairFromLeft<Bpp, FirstFilter, Sub>(first, second, prev, n);
    case Average:
        return pairFromLeft<Bpp, FirstFilter, Average>(first, second, prev, n);
    default:
        return pairFromLeft<Bpp, FirstFilter, Paeth>(first, second, prev, n);
    }
}

template <int Bpp>
void pair(int firstFilter, uchar *first, int secondFilter, uchar *second, const uchar *prev, std::size_t n)
{
    switch (firstFilter) {
    case Sub:
        return pairWithFirst<Bpp, Sub>(secondFilter, first, second, prev, n);
    case Average:
        return pairWithFirst<Bpp, Average>(secondFilter, first, second, prev, n);
    default:
        return pairWithFirst<Bpp, Paeth>(secondFilter, first, second, prev, n);
    }
}

bool predictsFromLeft(int filter)
{
    return filter == Sub || filter == Average || filter == Paeth;
}

} // namespace

bool unfilterPngRow(int bpp, int filter, uchar *cur, const uchar *prev, std::size_t n)
{
    switch (bpp) {
    case 1:
        return unfilter<1>(filter, cur, prev, n);
    case 2:
        return unfilter<2>(filter, cur, prev, n);
    case 3:
        return unfilter<3>(filter, cur, prev, n);
    default:
        return unfilter<6>(filter, cur, prev, n);
    }
}

int unfilterPngRows(int bpp, int firstFilter, uchar *first, int secondFilter, uchar *second, const uchar *prev,
                    std::size_t n)
{
    if ((bpp == 1 || bpp == 2) && predictsFromLeft(firstFilter) && predictsFromLeft(secondFilter)) {
        if (bpp == 1)
            pair<1>(firstFilter, first, secondFilter, second, prev, n);
        else
            pair<2>(firstFilter, first, secondFilter, second, prev, n);
        return 2;
    }
    return unfilterPngRow(bpp, firstFilter, first, prev, n) ? 1 : -1;
}

} // namespace lumetra

#pragma once

#include <QtGlobal>

#include <cstddef>

// Undoing the filters of PNG rows (filter types 0 to 4) in place.
namespace lumetra {

// One row of n bytes, bpp bytes a pixel (1, 2, 3 or 6); `prev` is the row above, already
// unfiltered (all zero for the first row). False for an unknown filter type.
bool unfilterPngRow(int bpp, int filter, uchar *cur, const uchar *prev, std::size_t n);

// Two rows, `second` right below `first`, in one sweep where both filters predict from the left
// (the two chains of bytes then run side by side): 2. Otherwise `first` alone: 1 (`second` is
// left as it is). -1 for an unknown filter type.
int unfilterPngRows(int bpp, int firstFilter, uchar *first, int secondFilter, uchar *second, const uchar *prev,
                    std::size_t n);

} // namespace lumetra

#pragma once

#include <QRgb>

#include <cstdint>

// The per-row work of the sampling routines, written so that the compiler vectorises it. Each
// kernel is built for several instruction sets (AVX-512, AVX2, the baseline) and the widest the
// processor runs is picked when the program starts.
namespace lumetra::sampling {

// Splits count colours of one picture scanline into red, green and blue.
void splitColours(const QRgb *line, int16_t *red, int16_t *green, int16_t *blue, int count);

// splitColours and greyRow of the same pixels in one loop.
void splitColoursAndGrey(const QRgb *line, int16_t *red, int16_t *green, int16_t *blue, int *grey, int count);
// grey[i] = round-half-even(0.587 green[i] + 0.299 red[i] + 0.114 blue[i]), the sum taken in
// double precision in that order, for count pixels.
void greyRow(const int16_t *red, const int16_t *green, const int16_t *blue, int *grey, int count);

// Maximum and the minimum that skips 0 over count values 0..255; a minimum that is already 0
// stays 0.
void rangeRow(const int *values, int count, int &maxValue, int &minValue);

} // namespace lumetra::sampling

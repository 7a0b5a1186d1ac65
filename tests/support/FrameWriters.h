#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Writers of camera-frame files for the reader tests, independent of the reader (and, for
// PGM/PPM and TIFF, of Qt): each writes the samples exactly as given.
namespace lumetra::test {

// PGM (channels 1) or PPM (channels 3), plain (P2/P3) or binary (P5/P6); samples row-major,
// interleaved for colour. Samples above 255 are written as two big-endian bytes when maxval > 255.
QByteArray netpbmBytes(int width, int height, int channels, int maxval, bool plain,
                       const std::vector<unsigned> &samples);

// An uncompressed little-endian TIFF, 8 or 16 bits per sample, grey or RGB, one strip.
QByteArray tiffBytes(int width, int height, int channels, int bits, const std::vector<unsigned> &samples);

// The PNG with an sBIT chunk (one byte per colour channel, all `bits`) placed after IHDR.
QByteArray withSignificantBits(const QByteArray &png, int bits, int channels);

// A non-interlaced PNG, 8 or 16 bits, grey (channels 1) or RGB (channels 3), written by hand so
// that row y uses filter type filters[y % filters.size()] (0 None .. 4 Paeth); the zlib stream is
// split over IDAT chunks of at most `idatSize` bytes.
QByteArray pngBytes(int width, int height, int channels, int bits, const std::vector<unsigned> &samples,
                    const std::vector<int> &filters, int idatSize = 1000);

bool writeBytes(const QString &path, const QByteArray &bytes);

} // namespace lumetra::test

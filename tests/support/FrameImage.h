#pragma once

#include "types/BeamFrame.h"

#include <QImage>

namespace lumetra::test {

// A frame as a grey picture to save as a file: Format_Grayscale8 for 8-bit frames,
// Format_Grayscale16 for 16-bit ones, values rounded and held to the format's range.
QImage frameImage(const beam::BeamFrame &frame);

} // namespace lumetra::test

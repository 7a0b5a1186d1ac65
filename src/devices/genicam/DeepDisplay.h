#pragma once

#include "types/DeepFrame.h"

#include <QImage>

namespace lumetra {

// The picture shown for a deep frame: the codes scaled from 0..top to 0..255 grey, pixels at
// the top code (saturated) in pure red.
QImage deepDisplayImage(const DeepFrame &frame);

} // namespace lumetra

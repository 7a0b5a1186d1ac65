#pragma once

#include <QImage>

namespace lumetra::bench {

// A 640 x 480 light spot as the program sees it: a bright, slightly elliptic Gaussian beam over a
// dim background with a little fixed noise (the same picture on every run).
QImage beamPicture();

} // namespace lumetra::bench

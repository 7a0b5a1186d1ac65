#pragma once

#include <QString>

namespace lumetra {

// A number as the reports print it: plain decimal, no blanks, no exponent for the values a page
// carries, integers without a fraction (-320, 37.5, 0).
QString reportNumber(double value);

} // namespace lumetra

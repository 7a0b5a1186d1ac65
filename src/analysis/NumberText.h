#pragma once

#include <QString>

namespace lumetra {

// A number as the program shows it in captions and labels: whole numbers without a decimal
// point ("-320", "0"), others in the shortest form that reads back to the same value ("2.5").
QString numberText(double value);

// A duration given in microseconds in the unit that reads best, to 4 significant digits:
// "10 µs", "2.5 ms", "10 s".
QString durationText(double microseconds);

} // namespace lumetra

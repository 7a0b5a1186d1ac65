#pragma once

#include <QString>

class QObject;
class QValueAxis;

namespace lumetra {

// A value axis owned by `parent` whose labels show plain numbers ("%g"), titled `title` unless
// that is empty.
QValueAxis *numberAxis(QObject *parent, const QString &title = {});

// Ticks at whole multiples of 1, 2 or 5 times a power of ten, about `ticks` of them; the range
// widened to whole ticks unless `exact`. An empty range (high not above low) becomes one wide.
void setNiceRange(QValueAxis *axis, double low, double high, int ticks, bool exact = false);

} // namespace lumetra

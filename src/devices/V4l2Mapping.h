#pragma once

#include <QtGlobal>

namespace lumetra::v4l2map {

// The driver pixel layout behind each card subtype: RGB555, RGB24, YUYV, YVU410, YVU420.
// 0 for a subtype outside 0..4.
quint32 subtypeFourcc(int subtype);
// The subtype of a driver pixel layout, -1 for one the card has no index for.
int fourccSubtype(quint32 fourcc);

// The driver standard set for a card standard (0 NTSC, 1 PAL, 2 SECAM), 0 outside.
quint64 standardId(int standard);
// The card standard of a driver standard set, -1 when it holds none of the three.
int standardIndex(quint64 id);

// A driver control's range as it reports it.
struct ControlRange
{
    int minimum = 0;
    int maximum = 0;
    int step = 1;
    int defaultValue = 0;
};

// The card's scale 0..10000 maps linearly onto the driver's range, in two halves that meet at
// 5000 = the driver's default (one straight line when the default lies on an end). The driver
// value is snapped to the control's step.
int toDriverValue(int cardValue, const ControlRange &range);
int toCardValue(int driverValue, const ControlRange &range);

} // namespace lumetra::v4l2map

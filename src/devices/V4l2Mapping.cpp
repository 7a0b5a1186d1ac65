#include "devices/V4l2Mapping.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace lumetra::v4l2map {

namespace {

constexpr std::array<quint32, 5> Fourccs = {V4L2_PIX_FMT_RGB555, V4L2_PIX_FMT_RGB24, V4L2_PIX_FMT_YUYV,
                                            V4L2_PIX_FMT_YVU410, V4L2_PIX_FMT_YVU420};
constexpr int CardMax = 10000;
constexpr int CardMid = 5000;

bool hasInnerDefault(const ControlRange &r)
{
    return r.defaultValue > r.minimum && r.defaultValue < r.maximum;
}

} // namespace

quint32 subtypeFourcc(int subtype)
{
    if (subtype < 0 || subtype >= int(Fourccs.size()))
        return 0;
    return Fourccs[std::size_t(subtype)];
}

int fourccSubtype(quint32 fourcc)
{
    const auto it = std::find(Fourccs.begin(), Fourccs.end(), fourcc);
    return it == Fourccs.end() ? -1 : int(it - Fourccs.begin());
}

quint64 standardId(int standard)
{
    switch (standard) {
    case 0: return V4L2_STD_NTSC;
    case 1: return V4L2_STD_PAL;
    case 2: return V4L2_STD_SECAM;
    default: return 0;
    }
}

int standardIndex(quint64 id)
{
    // A driver may report a set; the family it belongs to wholly wins, PAL before NTSC.
    const bool pal = id & V4L2_STD_PAL, ntsc = id & V4L2_STD_NTSC, secam = id & V4L2_STD_SECAM;
    if (pal && !(id & ~V4L2_STD_PAL))
        return 1;
    if (ntsc && !(id & ~V4L2_STD_NTSC))
        return 0;
    if (secam && !(id & ~V4L2_STD_SECAM))
        return 2;
    if (pal)
        return 1;
    if (ntsc)
        return 0;
    return secam ? 2 : -1;
}

int toDriverValue(int cardValue, const ControlRange &range)
{
    if (range.maximum <= range.minimum)
        return range.minimum;
    const double v = std::clamp(cardValue, 0, CardMax);
    const double lo = range.minimum, hi = range.maximum, def = range.defaultValue;
    double x;
    if (hasInnerDefault(range))
        x = v <= CardMid ? lo + (def - lo) * v / CardMid : def + (hi - def) * (v - CardMid) / CardMid;
    else
        x = lo + (hi - lo) * v / CardMax;
    const double step = std::max(range.step, 1);
    const double snapped = lo + std::round((x - lo) / step) * step;
    return int(std::clamp(snapped, lo, hi));
}

int toCardValue(int driverValue, const ControlRange &range)
{
    if (range.maximum <= range.minimum)
        return CardMid;
    const double x = std::clamp(driverValue, range.minimum, range.maximum);
    const double lo = range.minimum, hi = range.maximum, def = range.defaultValue;
    double v;
    if (hasInnerDefault(range))
        v = x <= def ? CardMid * (x - lo) / (def - lo) : CardMid + CardMid * (x - def) / (hi - def);
    else
        v = CardMax * (x - lo) / (hi - lo);
    return int(std::lround(v));
}

} // namespace lumetra::v4l2map

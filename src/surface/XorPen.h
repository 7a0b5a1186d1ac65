#pragma once

#include "surface/PictureSurface.h"

namespace lumetra {

// Sets the exclusive-or pen on a surface for the lifetime of the object, then the copy pen and
// the solid line style: what is drawn in between comes off again when drawn a second time.
class XorPen
{
public:
    explicit XorPen(PictureSurface &surface) : m_surface(surface)
    {
        m_surface.setPenMode(PictureSurface::PenMode::Xor);
    }
    ~XorPen()
    {
        m_surface.setLineStyle(PictureSurface::LineStyle::Solid);
        m_surface.setPenMode(PictureSurface::PenMode::Copy);
    }
    XorPen(const XorPen &) = delete;
    XorPen &operator=(const XorPen &) = delete;

private:
    PictureSurface &m_surface;
};

} // namespace lumetra

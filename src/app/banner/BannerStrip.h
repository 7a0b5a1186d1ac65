#pragma once

#include "surface/PictureSurface.h"

#include <QWidget>

namespace lumetra {

class SurfaceView;

// The banner strip along the top of the main window's client area: a picture surface 41 pixels
// high that always spans the full width of the frame (the view inside is the control pictureView).
class BannerStrip : public QWidget
{
    Q_OBJECT

public:
    static constexpr int StripHeight = 41;

    explicit BannerStrip(QWidget *parent = nullptr);

    PictureSurface &surface() { return m_surface; }
    SurfaceView *view() const { return m_view; }
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    PictureSurface m_surface;
    SurfaceView *m_view;
};

} // namespace lumetra

#pragma once

#include "beamview/BeamReportPicture.h"
#include "types/Palette.h"

#include <QWidget>

#include <optional>

namespace lumetra {

class ColourBar;

// The beam window's picture: the frame around the beam (its integration area) in the chosen false
// colour with the colour bar, the contours and the marks switched on in the window. The wheel
// zooms about the pointer (up to 32 times the fitted size), dragging pans, a double click fits it
// to the view again.
class BeamPictureView : public QWidget
{
    Q_OBJECT

public:
    explicit BeamPictureView(QWidget *parent = nullptr);

    // A measurement's picture, or none (nullopt result: empty, "无图像").
    void showPicture(const BeamPicture &picture, const std::optional<beam::BeamResult> &result,
                     const beam::BeamWidths *widths, const OverlayShapes &shapes, double maskDiameters);
    void clear();
    void setFalseColour(const FalseColourChoice &choice);
    const FalseColourChoice &falseColour() const { return m_choice; }
    // Times the picture is enlarged beyond fitting the view (1: fitted).
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    // The picture as coloured (one pixel a frame pixel) with its contours.
    const ColouredBeamPicture &coloured() const { return m_coloured; }
    ColourBar *colourBar() const { return m_bar; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void recolour();
    void placeBar();
    double fitScale() const;
    QRectF pictureRect() const; // where the picture is drawn, in the widget

    BeamPicture m_picture;
    std::optional<beam::BeamResult> m_result;
    std::optional<beam::BeamWidths> m_widths;
    OverlayShapes m_shapes;
    double m_maskDiameters = 3;
    FalseColourChoice m_choice;
    ColouredBeamPicture m_coloured;
    double m_zoom = 1;
    QPointF m_pan; // widget pixels the picture is moved by from the centre
    QPoint m_dragFrom;
    ColourBar *m_bar = nullptr;
};

} // namespace lumetra

#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>

namespace lumetra {

// Pixel layout of a curve window at one plot size. Positions are in the window's client area.
struct CurveSizeLayout
{
    QSize outer;         // outer window size (the child window frame)
    QPoint plotPosition; // outer top-left of the plot box (pictureView)
    QSize plotSize;      // drawing area; the box adds a 2-pixel border on every side
    QPoint xReadout;       // the x readout at load
    QPoint yReadout;       // the y readout at load
    QPointF crosshair;   // where the crosshair starts (plot pixels)
};

// One of the four buttons: its control name, caption and place.
struct CurveButtonSpec
{
    QString controlName;
    QString caption;
    QRect geometry;
};

// Everything that differs between the horizontal and the vertical curve window.
struct CurveGeometry
{
    // The title and captions below are the Chinese source texts; this is how the interface's
    // language shows one of them.
    static QString shown(const QString &text);

    bool vertical = false;
    int cutOrientation = 1;
    QString title;
    int initialCut = 192;
    double axisStart = -320;     // AxisStart at load; AxisEnd is its negation
    double axisStartZoom = -480; // AxisStartZoom after enlarging
    double zoomStep = 1.5;       // enlarged plot pixels per position
    int tableRows = 640;
    double axisLowLimit = -640; // Shift-scrolling keeps AxisStart within axisLowLimit .. 0
    // Mark pixel scaling when enlarging (x, y); returning divides again.
    double markScaleX = 1.5;
    double markScaleY = 2;
    // DrawPlotFrame subdivisions.
    int bottomSubdivisions = 8;
    int leftSubdivisions = 2;
    CurveSizeLayout normal;
    CurveSizeLayout enlarged;
    // face, line, enlarge, shrink
    std::array<CurveButtonSpec, 4> buttons;
    QString printPictureCaption; // the third popup entry

    const CurveSizeLayout &layout(bool isEnlarged) const { return isEnlarged ? enlarged : normal; }

    static const CurveGeometry &horizontal();
    static const CurveGeometry &verticalWindow();
};

} // namespace lumetra

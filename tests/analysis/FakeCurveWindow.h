#pragma once

#include "analysis/curves/CurveWindowPort.h"
#include "surface/PictureSurface.h"

#include <QString>

// A curve window without widgets: its own drawing surface, a mode switch and a record of what
// the routines wrote into its read-out and table.
class FakeCurveWindow : public lumetra::CurveWindowPort
{
public:
    FakeCurveWindow(int width, int height) : surface(width, height)
    {
        surface.setBackColour(lumetra::rgb(212, 208, 200));
    }

    lumetra::PictureSurface &windowSurface() override { return surface; }
    bool lineModeActive() const override { return lineMode; }
    void setPositionReadout(const QString &text) override
    {
        readout = text;
        ++readoutCalls;
    }
    void setTablePositions(double axisStart, int rows) override
    {
        tableStart = axisStart;
        tableRows = rows;
        ++tableCalls;
    }

    lumetra::PictureSurface surface;
    bool lineMode = false;
    QString readout;
    int readoutCalls = 0;
    double tableStart = 0;
    int tableRows = 0;
    int tableCalls = 0;
};

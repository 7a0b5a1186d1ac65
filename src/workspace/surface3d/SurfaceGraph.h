#pragma once

#include <QtDataVisualization/Q3DSurface>

#include <QLinearGradient>

namespace lumetra {

class RegionGrid;

// The 3D surface of a region grid over the picture's coordinates: picture columns ("列") along
// the graph's x axis, picture rows ("行") along its z axis, the cell values ("光强 %") upwards.
// The view looks down 45 degrees, turned 30 degrees, in perspective, with the height at 30 % of the
// width, the value range fitted to the data and the surface coloured by height.
namespace surface_graph {

constexpr float Elevation = 45.0f;
constexpr float Rotation = 30.0f;
constexpr qreal HeightPercent = 30.0;

// The colours of the surface from its lowest value (0) to its highest (1).
QLinearGradient heightColours();

// A graph showing the grid, or nullptr when OpenGL cannot start here (a graph without a
// rendering context must not be given data, nor be shown).
Q3DSurface *create(const RegionGrid &grid);

} // namespace surface_graph
} // namespace lumetra

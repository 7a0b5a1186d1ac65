#pragma once

#include <QtDataVisualization/Q3DSurface>

namespace lumetra {

class RegionGrid;

// The 3D surface of a region grid: grid rows (picture x) along the graph's z axis, grid columns
// (picture y) along its x axis, the cell values upwards. Only the value axis is labelled; the
// view looks down 45 degrees, turned 30 degrees, in perspective, with the height at 30 % of the
// width, the value range fitted to the data and the surface coloured by height.
namespace surface_graph {

constexpr float Elevation = 45.0f;
constexpr float Rotation = 30.0f;
constexpr qreal HeightPercent = 30.0;

// A graph showing the grid, or nullptr when OpenGL cannot start here (a graph without a
// rendering context must not be given data, nor be shown).
Q3DSurface *create(const RegionGrid &grid);

} // namespace surface_graph
} // namespace lumetra

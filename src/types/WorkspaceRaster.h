#pragma once

namespace lumetra {

// The raster every picture is sampled onto for the curves, the table, the filters and the 3D
// chart: columns 1..640, rows 1..480 (index 0 unused).
constexpr int WorkspaceRasterWidth = 640;
constexpr int WorkspaceRasterHeight = 480;

} // namespace lumetra

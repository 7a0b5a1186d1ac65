#pragma once

#include <QString>

#include <optional>

namespace lumetra::beam {

// The z position (mm) written in a frame's file name: the last number followed by "mm" in the
// name without its folder ("t-168mm.pgm" -> 168, "caustic_z12.5mm_2.png" -> 12.5). A '-' is a
// minus sign only where it cannot be a separator: at the start of the name or after '=', '_',
// '-' or a blank ("z=-5mm.png" -> -5, "t-168mm.pgm" -> 168). Nothing when there is no such number.
std::optional<double> zFromFileName(const QString &path);

} // namespace lumetra::beam

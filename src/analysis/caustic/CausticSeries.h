#pragma once

#include "analysis/caustic/CausticFit.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace lumetra::beam {

// The measured diameters of one axis of a caustic ("x", "y", "major", "minor").
struct CausticAxis
{
    QString label;
    std::vector<CausticPoint> points;
};

// One or two axes of a caustic at one wavelength: what the fit reads and the plot draws.
struct CausticSeries
{
    double wavelengthNm = 0;
    std::vector<CausticAxis> axes;
};

// The series as the caustic plotter reads it on its standard input:
// {"wavelength_nm": 633, "axes": [{"label": "x", "z_mm": [...], "d_um": [...]}, ...]}.
QByteArray causticSeriesToJson(const CausticSeries &series);
// The series back from that text; nothing, with a sentence in error, for anything else.
std::optional<CausticSeries> causticSeriesFromJson(const QByteArray &json, QString *error);

} // namespace lumetra::beam

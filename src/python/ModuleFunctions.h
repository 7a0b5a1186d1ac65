#pragma once

#include "python/MeasureOptions.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <optional>
#include <string>
#include <vector>

// The functions of the Python module `lumetra`; LumetraModule.cpp binds them with their
// docstrings. Each needs the GIL and releases it around the work that touches no Python object.
namespace lumetra::python {

// A lumetra.Frame (a numpy array with bit_depth, top_value and path) of the file's grey values.
pybind11::array readFrame(const pybind11::object &path);

// One frame's beam row, the keys of lumetra-cli beam without "image".
pybind11::dict measureBeam(const pybind11::object &frame, std::optional<double> top,
                           const pybind11::object &dark, const OptionArgs &options);

// The beam row of every file, in order, measured on `threads` workers (0: one per core).
// errors: "raise" (the first file that failed raises) or "row" (it gets the status "unreadable").
pybind11::list measureFiles(const pybind11::object &paths, int threads, const pybind11::object &dark,
                            const OptionArgs &options, const std::string &errors);

// The report of lumetra-cli m2 --diameters: one or two axes fitted.
pybind11::dict fitCaustic(const std::vector<double> &zMm, const std::vector<double> &dUm, double wavelengthNm,
                          const std::optional<std::vector<double>> &dyUm);

} // namespace lumetra::python

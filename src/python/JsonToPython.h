#pragma once

#include <nlohmann/json.hpp>
#include <pybind11/pybind11.h>

namespace lumetra::python {

// A JSON value as the Python object json.loads would give for its text: objects become dicts in
// the value's key order, null None, numbers int or float. Needs the GIL.
pybind11::object toPython(const nlohmann::ordered_json &value);

} // namespace lumetra::python

#include "python/JsonToPython.h"

namespace py = pybind11;

namespace lumetra::python {

py::object toPython(const nlohmann::ordered_json &value)
{
    using Type = nlohmann::ordered_json::value_t;
    switch (value.type()) {
    case Type::null:
    case Type::discarded: return py::none();
    case Type::boolean: return py::bool_(value.get<bool>());
    case Type::number_integer: return py::int_(value.get<long long>());
    case Type::number_unsigned: return py::int_(value.get<unsigned long long>());
    case Type::number_float: return py::float_(value.get<double>());
    case Type::string: return py::str(value.get_ref<const std::string &>());
    case Type::array: {
        py::list list;
        for (const auto &item : value)
            list.append(toPython(item));
        return list;
    }
    case Type::object: {
        py::dict dict;
        for (const auto &[key, item] : value.items())
            dict[py::str(key)] = toPython(item);
        return dict;
    }
    case Type::binary: break;
    }
    throw std::invalid_argument("a binary JSON value has no Python form");
}

} // namespace lumetra::python

#include "python/PythonPaths.h"

#include <QFile>
#include <QFileInfo>

namespace py = pybind11;

namespace lumetra::python {

bool isPathLike(const py::handle &object)
{
    const py::module_ os = py::module_::import("os");
    return py::isinstance<py::str>(object) || py::isinstance<py::bytes>(object) ||
           py::isinstance(object, os.attr("PathLike"));
}

QString qtPath(const py::handle &path)
{
    const py::bytes encoded = py::module_::import("os").attr("fsencode")(path);
    const std::string bytes = encoded;
    return QFile::decodeName(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

py::str displayPath(const py::handle &path)
{
    return py::module_::import("os").attr("fsdecode")(path);
}

void throwReadError(const QString &path, const QString &message)
{
    throw FileReadError(message.toStdString(), !QFileInfo::exists(path));
}

} // namespace lumetra::python

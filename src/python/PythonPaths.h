#pragma once

#include <QString>

#include <pybind11/pybind11.h>

#include <stdexcept>

namespace lumetra::python {

// A file that could not be read: FileNotFoundError when it does not exist, OSError otherwise,
// with the reader's message (the one lumetra-cli prints).
struct FileReadError : std::runtime_error
{
    FileReadError(const std::string &message, bool missing) : std::runtime_error(message), missing(missing) {}
    bool missing;
};

// Whether the object names a file: str, bytes or os.PathLike. Needs the GIL.
bool isPathLike(const pybind11::handle &object);

// The path as Qt names the file (through os.fsencode, so any name the file system holds).
// Needs the GIL; raises TypeError for an object that is not a path.
QString qtPath(const pybind11::handle &path);

// The path as a str for results: os.fspath of it, bytes decoded with os.fsdecode.
pybind11::str displayPath(const pybind11::handle &path);

// Throws FileReadError for a failed read of `path` with the reader's message.
[[noreturn]] void throwReadError(const QString &path, const QString &message);

} // namespace lumetra::python

#pragma once

#include <QString>

class QSaveFile;

namespace lumetra {

// The last steps of a write through a temporary file, so that after a crash or a power cut the
// target is the old file or the whole new one: the file's data on disk (fsync) before the rename,
// the directory's entry on disk after it.

// fsync of the file at `path`; false when it cannot be opened or synced.
bool syncFileToDisk(const QString &path);
// fsync of the directory holding `path` (the rename's entry).
bool syncDirectoryOf(const QString &path);
// QSaveFile::commit() (which syncs the file before its rename), then the directory's sync.
// False, with the file's error string, when the commit fails; a directory that cannot be
// synced (a file system without it) does not undo a committed file.
bool commitDurably(QSaveFile &file);

} // namespace lumetra

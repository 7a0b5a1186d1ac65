#pragma once

#include <QByteArray>

#include <sys/types.h>

namespace lumetra {

// A runtime directory only `uid` can use, under `base` (normally /tmp): base/runtime-<uid>,
// created with mode 0700, or taken when it already exists as a real directory (no symbolic
// link) owned by uid with no access for others. A name held by anything else (another user's
// directory, a link, a directory others can enter) is not used: a fresh base/runtime-<uid>-XXXXXX
// is made instead. Empty when neither can be had.
QByteArray privateRuntimeDirectory(const QByteArray &base, uid_t uid);

} // namespace lumetra

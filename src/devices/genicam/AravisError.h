#pragma once

#include <glib.h>

#include <QString>

namespace lumetra {

// The message of an Aravis error, which is freed and the pointer cleared, so that the same
// variable can take the next call's error; empty when there was none.
inline QString takeAravisError(GError **error)
{
    if (!error || !*error)
        return {};
    const QString message = QString::fromUtf8((*error)->message);
    g_clear_error(error);
    return message;
}

} // namespace lumetra

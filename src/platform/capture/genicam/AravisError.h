#pragma once

#include <glib.h>

#include <QString>

namespace lumetra {

// The message of an Aravis error, which is freed; empty when there was none.
inline QString takeAravisError(GError *error)
{
    if (!error)
        return {};
    const QString message = QString::fromUtf8(error->message);
    g_error_free(error);
    return message;
}

} // namespace lumetra

#include "platform/system/PrivateRuntimeDirectory.h"

#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace lumetra {

QByteArray privateRuntimeDirectory(const QByteArray &base, uid_t uid)
{
    const QByteArray usual = base + "/runtime-" + QByteArray::number(uid);
    ::mkdir(usual.constData(), 0700); // fails harmlessly when the name exists
    struct stat st{};
    if (::lstat(usual.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == uid && (st.st_mode & 077) == 0)
        return usual;
    QByteArray fresh = usual + "-XXXXXX";
    if (::mkdtemp(fresh.data()))
        return fresh; // mkdtemp creates it 0700, ours
    return {};
}

} // namespace lumetra

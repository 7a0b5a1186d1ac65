#include "app/AppResources.h"

#include <QtGlobal>

// Resources linked from a static library are only registered when something refers to them.
static void registerLumetraResources()
{
    Q_INIT_RESOURCE(lumetra);
}

namespace lumetra {

void initAppResources()
{
    static const bool registered = (registerLumetraResources(), true);
    (void)registered;
}

} // namespace lumetra

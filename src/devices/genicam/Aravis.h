#pragma once

// Aravis through GLib's GIO, whose headers use "signals" as a field name: Qt's macro of that
// name is set aside while they are read.
#pragma push_macro("signals")
#undef signals
#include <arv.h>
#pragma pop_macro("signals")

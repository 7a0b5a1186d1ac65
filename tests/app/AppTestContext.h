#pragma once

#include "analysis/AnalysisState.h"
#include "types/ProgressWindows.h"
#include "platform/ports/AppContext.h"
#include "platform/system/ProgramLauncher.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/ports/Services.h"

#include <memory>

namespace lumetra::testing {

// A fresh shared state and scripted outside components for one application-shell test.
struct AppTestContext
{
    AppTestContext()
    {
        services.dialogs = &dialogs;
        services.launcher = &launcher;
    }

    std::unique_ptr<AnalysisState> statePtr = std::make_unique<AnalysisState>();
    ScriptedDialogs dialogs;
    ScriptedProgramLauncher launcher;
    Services services;
    SilentProgress progress;
    AppContext context{services, progress, nullptr, nullptr, {}, {}};

    AnalysisState &state() { return *statePtr; }
};

} // namespace lumetra::testing

#pragma once

#include <QStringList>

namespace lumetra::cli {

// Takes "--max-pixels N" (or "--max-pixels=N") out of the arguments, wherever it stands, and
// sets the frame readers' pixel budget from it. Throws CliError for a missing or bad number.
void takePixelBudgetOption(QStringList &args);

} // namespace lumetra::cli

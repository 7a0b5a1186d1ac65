#pragma once

#include "cli/CliCommand.h"

#include <QString>

namespace lumetra::cli {

// The whole help of one subcommand, as `lumetra-cli SUB --help` prints it: its usage and
// summary, then its options with units, defaults and ranges, its output, its exit status and an
// example (help/SUB.txt), then the options every subcommand takes. Empty when the command has
// no help text.
QString commandHelp(const CliCommand &command);

// The help of the tool as a whole: what it is, every subcommand's usage and summary, the
// global options.
QString toolHelp();

// "lumetra-cli 2.0.0", with `git describe` of the checkout it was built from when it was.
QString toolVersion();

} // namespace lumetra::cli

#include "analysis/beam/BeamWarnings.h"

namespace lumetra::beam {

namespace {

// In the order of BeamWarning.
constexpr const char *Names[BeamWarningCount] = {"background_structure", "not_converged",       "saturated",
                                                 "beam_clipped",         "larger_than_frame",   "estimators_disagree",
                                                 "low_signal"};

} // namespace

const char *beamWarningName(BeamWarning warning)
{
    const int i = int(warning);
    return i >= 0 && i < BeamWarningCount ? Names[i] : "";
}

std::vector<BeamWarning> BeamWarnings::list() const
{
    std::vector<BeamWarning> out;
    for (int i = 0; i < BeamWarningCount; ++i)
        if (has(BeamWarning(i)))
            out.push_back(BeamWarning(i));
    return out;
}

std::string BeamWarnings::joinedNames() const
{
    std::string out;
    for (const BeamWarning w : list()) {
        if (!out.empty())
            out += ';';
        out += beamWarningName(w);
    }
    return out;
}

} // namespace lumetra::beam

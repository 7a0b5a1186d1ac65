#include "analysis/beam/BeamWarnings.h"

namespace lumetra::beam {

const char *beamWarningName(BeamWarning warning)
{
    switch (warning) {
    case BeamWarning::BackgroundStructure:
        return "background_structure";
    case BeamWarning::NotConverged:
        return "not_converged";
    case BeamWarning::Saturated:
        return "saturated";
    case BeamWarning::BeamClipped:
        return "beam_clipped";
    case BeamWarning::LargerThanFrame:
        return "larger_than_frame";
    case BeamWarning::EstimatorsDisagree:
        return "estimators_disagree";
    case BeamWarning::LowSignal:
        return "low_signal";
    }
    return "";
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

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumetra::beam {

// What makes a measured beam doubtful. A result that carries any of these is shown with the
// warning in words, never like a clean one. The names are those of the result rows.
enum class BeamWarning : std::uint8_t {
    BackgroundStructure, // "background_structure": the background decides the diameters (take a dark frame)
    NotConverged,        // "not_converged": centroid and diameters did not settle
    Saturated,           // "saturated": pixels at the top code value
    BeamClipped,         // "beam_clipped": the beam or its integration area reaches the frame's edge
    LargerThanFrame,     // "larger_than_frame": the integration area is larger than the frame
    EstimatorsDisagree,  // "estimators_disagree": D4σ and the knife-edge or Gaussian widths of a near-Gaussian
                         // beam differ by more than 10 %
    LowSignal,           // "low_signal": the pixel noise alone makes the diameters uncertain by more than
                         // 3 % (one standard deviation)
};
constexpr int BeamWarningCount = 7;

const char *beamWarningName(BeamWarning warning);

// A set of warnings, listed in the order of BeamWarning.
class BeamWarnings
{
public:
    void add(BeamWarning w) { m_bits = std::uint8_t(m_bits | bit(w)); }
    void remove(BeamWarning w) { m_bits = std::uint8_t(m_bits & ~bit(w)); }
    bool has(BeamWarning w) const { return (m_bits & bit(w)) != 0; }
    bool empty() const { return m_bits == 0; }
    std::vector<BeamWarning> list() const;
    // The names joined by ';' (empty when none): the CSV column and log field.
    std::string joinedNames() const;
    bool operator==(const BeamWarnings &) const = default;

private:
    static std::uint8_t bit(BeamWarning w) { return std::uint8_t(1u << unsigned(w)); }
    std::uint8_t m_bits = 0;
};

} // namespace lumetra::beam

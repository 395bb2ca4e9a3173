#pragma once

#include "core/AbsorbedByBand.h"
#include "core/ComplexField2D.h"
#include "core/GridKey2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

// Settings of the absorbing layer.
struct AbsorbingBoundaryConfig {
    bool enabled = true;
    float widthFraction = 0.15f; // band thickness per edge, as a fraction of the axis, in (0, 0.5)
    float strength = 8.0f;       // absorption rate eta
    float exponent = 3.0f;       // power of the edge profile
};

// Complex absorbing potential -i eta P(x, y) in split-step form: after every
// time step psi is multiplied by the real mask exp(-eta P dt), where
// P = P_x(i) + P_y(j) rises from 0 at the inner rim of a band along each edge
// to nearly 1 in the outermost cell (and adds up in the corners). Probability
// reaching the edge is damped instead of wrapping round the periodic box.
class AbsorbingBoundary2D {
public:
    // Validates the settings (also when disabled), stores them with the field's
    // grid and rebuilds the mask; a disabled layer keeps a mask of ones.
    void prepare(const ComplexField2D& field, float dt, const AbsorbingBoundaryConfig& config);

    // Multiplies psi by the mask; a disabled layer returns at once.
    void apply(ComplexField2D& psi) const;

    // apply, returning the probability it removed, summed in double over the
    // layer's cells alone: what the side bands take by the way it moves
    // along x (the sign of the probability current there, read before the
    // damping; the cell's band where there is none), so that a part that
    // crosses one side band and the periodic edge into the other keeps its
    // direction; what the top and bottom bands take apart. In a corner the
    // removal is shared between the side band and the top or bottom band in
    // proportion to their profiles, the two absorption rates that add there.
    // A disabled layer removes nothing.
    AbsorbedByBand applyCountingBands(ComplexField2D& psi) const;

    bool isEnabled() const { return config_.enabled; }
    const AbsorbingBoundaryConfig& config() const { return config_; }
    float dt() const { return dt_; }
    float minimumMask() const { return minimumMask_; }
    float maximumMask() const { return maximumMask_; }
    const std::vector<float>& mask() const { return mask_; }

    // One-axis profile P of cell `index` of `count`: 0 outside the band,
    // ((w - d) / w)^exponent inside, d the fractional distance of the cell
    // centre to the nearer edge.
    static float edgeProfile(std::uint64_t index, std::uint64_t count, float widthFraction, float exponent);

private:
    // Multiplies the layer's cells by the mask, after the checks of apply,
    // and shows each to damped(i, j, before, after). The other cells have
    // mask 1 exactly and are left as they are.
    template <typename Damped>
    void dampLayer(ComplexField2D& psi, Damped&& damped) const;

    AbsorbingBoundaryConfig config_;
    GridKey2D grid_;
    float dt_ = 0.0f;
    float minimumMask_ = 1.0f;
    float maximumMask_ = 1.0f;
    std::vector<float> mask_;
    // The one-axis profiles of the mask (all zero when disabled) and the
    // number of columns with a nonzero x profile at either end: outside the
    // rows with a nonzero y profile, the other cells have mask 1.
    std::vector<float> profileX_;
    std::vector<float> profileY_;
    std::uint64_t leftBandColumns_ = 0;
    std::uint64_t rightBandColumns_ = 0;
};

} // namespace vxo

#pragma once

// Bounded series of the vortex experiment: the core found by its phase
// winding, the angular momentum about the trap centre and the norm.

#include "core/ComplexField2D.h"
#include "experiments/QuantumVortex2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct VortexSample {
    double time = 0.0;
    bool found = false;
    double x = 0.0;
    double y = 0.0;
    std::int32_t winding = 0;
    double coreDensity = 0.0;
    double angularMomentum = 0.0;
    double norm = 0.0;
};

class VortexRecorder {
public:
    // Capacities below 32 are raised to 32.
    explicit VortexRecorder(std::uint64_t capacity);

    // Not configured, default state, trap zeroed, samples dropped.
    void reset();
    // Resets, then stores the state and the trap when the trap is found and
    // the state is valid.
    void configure(const VortexInitialState& state, const VortexTrap& trap);
    // Appends one sample; nothing unless configured, the field is non-empty
    // and t is finite.
    void record(double t, const ComplexField2D& field, double hbar);

    // <Lz> = sum Re(conj(psi) (-i hbar)(x d/dy - y d/dx) psi) dA / sum |psi|^2 dA
    // over the interior cells, x and y measured from (centerX, centerY),
    // central differences; 0 for grids below 3 x 3, a bad hbar or no weight.
    static double angularMomentum(const ComplexField2D& field, double hbar, double centerX, double centerY);

    bool isConfigured() const { return configured_; }
    bool isEmpty() const { return samples_.empty(); }
    std::uint64_t capacity() const { return capacity_; }
    const VortexInitialState& config() const { return state_; }
    const VortexTrap& trap() const { return trap_; }
    const std::vector<VortexSample>& samples() const { return samples_; }

private:
    std::uint64_t capacity_;
    bool configured_ = false;
    VortexInitialState state_;
    VortexTrap trap_;
    std::vector<VortexSample> samples_;
};

} // namespace vxo

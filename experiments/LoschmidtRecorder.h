#pragma once

// Series of the Loschmidt echo against psi0, the state at configure time:
//   density echo = (sum |psi| |psi0| dA)^2 / (sum |psi|^2 dA sum |psi0|^2 dA),
//   fidelity     = |sum psi0 psi dA|^2 / (sum |psi0|^2 dA sum |psi|^2 dA),
// the fidelity being the overlap with the time-reversed state conj(psi0)
// that a perfect reversal returns. Thinned to one sample per
// 2 reversalTime / (capacity - 1); the first sample after the reversal is
// always kept. The sample nearest the echo time 2 reversalTime (the earliest
// of equally near ones) is also kept apart, so that the echo stays the one
// read there however long the run goes on and however many samples the
// capacity has dropped since.

#include "core/ComplexField2D.h"
#include "experiments/QuantumLoschmidt2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct LoschmidtSample {
    double time = 0.0;
    double centroidX = 0.0;
    double centroidY = 0.0;
    double densityEcho = 0.0;
    double fidelity = 0.0;
    double norm = 0.0;
    bool reversed = false; // taken after the reversal, on the way back
};

class LoschmidtRecorder {
public:
    // A capacity below 2 is raised to 2.
    explicit LoschmidtRecorder(std::uint64_t capacity);

    void reset();
    // Resets; false for an empty field or an enabled config that breaks its
    // rules. Otherwise stores the field as psi0 and the config and is
    // configured exactly when the config is enabled (returned).
    bool configure(const ComplexField2D& field, const LoschmidtConfig& config);
    // False (nothing changes) when not configured, the field is not on
    // exactly psi0's grid or t is not finite.
    bool record(double t, const ComplexField2D& field, bool reversed);

    bool isConfigured() const { return configured_; }
    bool isEmpty() const { return samples_.empty(); }
    std::uint64_t capacity() const { return capacity_; }
    const ComplexField2D& initialField() const { return initialField_; }
    const LoschmidtConfig& config() const { return config_; }
    const std::vector<LoschmidtSample>& samples() const { return samples_; }
    // The recorded sample nearest 2 reversalTime; null before any.
    const LoschmidtSample* echoSample() const { return hasEcho_ ? &echo_ : nullptr; }

private:
    std::uint64_t capacity_;
    bool configured_ = false;
    ComplexField2D initialField_;
    LoschmidtConfig config_;
    std::vector<LoschmidtSample> samples_;
    bool hasEcho_ = false;
    LoschmidtSample echo_;
};

} // namespace vxo

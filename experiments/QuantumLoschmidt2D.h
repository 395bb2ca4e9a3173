#pragma once

// Loschmidt echo: the packet runs forward through the scene's potential, time
// is reversed once at the reversal time by complex conjugation,
//   psi -> conj(psi) exp(i (dpx x + dpy y) / hbar),
// optionally with a momentum error (dpx, dpy), and the same Hamiltonian
// carries it on. Without error a real potential brings back conj(psi(0)) at
// twice the reversal time; the echo measures how much of it returns.

#include "core/ComplexField2D.h"

namespace vxo {

struct LoschmidtConfig {
    bool enabled = false;
    double reversalTime = 4.0;
    double momentumErrorX = 0.0; // |value| <= 1000
    double momentumErrorY = 0.0; // |value| <= 1000
};

class QuantumLoschmidt2D {
public:
    // Conjugates the field, applies the momentum-error ramp and normalises;
    // false for an empty field, an hbar that is not positive and finite or an
    // enabled config that breaks its rules. No messages.
    static bool applyReversal(ComplexField2D& field, const LoschmidtConfig& config, double hbar);
    // A disabled config passes. On failure *message points to one constant
    // text; untouched on success.
    static bool validateConfiguration(const LoschmidtConfig& config, const char** message);
};

} // namespace vxo

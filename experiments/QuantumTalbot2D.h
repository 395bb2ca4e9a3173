#pragma once

// Talbot self-imaging of a transverse matter-wave comb. A comb of period a
// contains only the wave numbers k_n = 2 pi n / a, whose free phases
// hbar k_n^2 t / (2 m) are all whole turns after the Talbot time
//   T_T = m a^2 / (pi hbar);
// after T_T / 2 the odd orders have turned by half a turn, which shifts the
// image by a / 2. The comb rides on a Gaussian envelope moving along y.

#include "core/ComplexField2D.h"

#include <string>
#include <vector>

namespace vxo {

struct TalbotInitialState {
    double period = 5.12;     // comb period a
    double toothSigma = 0.45; // Gaussian width of each tooth along x
    double offsetX = 0.0;     // x of one tooth centre
    double centerY = -8.0;    // envelope centre along y
    double sigmaY = 1.5;      // envelope width along y
    double momentumY = 1.2;   // envelope momentum p_y
};

class QuantumTalbot2D {
public:
    // First failure wins; the message is written into the error text.
    static bool validateInitialState(const TalbotInitialState& state, std::string* error);

    // psi = exp(-d^2 / (4 s^2)) exp(-(y - y_c)^2 / (4 sigma_y^2)) exp(i p_y y / hbar),
    // d the distance to the nearest tooth, normalised. The comb must tile the
    // periodic domain and a period must span an even number of cells, so that
    // the half-period image falls on the grid. Never throws; a failure is
    // reported only into an error text that is still empty.
    static bool prepareInitialState(ComplexField2D& field, const TalbotInitialState& state, double hbar,
                                    std::string* error);

    // T_T = m a^2 / (pi hbar); 0 unless a, m and hbar are positive and finite.
    static double talbotTime(double period, double mass, double hbar);

    // The row shifted circularly by half a period, out[i] = row[(i - m) mod N]
    // with m = a / (2 dx) cells; empty when m is not a whole number of cells
    // (within 1e-5), the row is empty or a or dx is not positive.
    static std::vector<float> halfPeriodShift(const std::vector<float>& row, double period, double dx);
};

} // namespace vxo

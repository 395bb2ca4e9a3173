#pragma once

// Aharonov-Bohm flux tube. An impenetrable disc of radius R at (x_s, y_s)
// encloses F flux quanta (Phi0 = 2 pi hbar / q). Its vector potential
// q A / hbar = F (-y, x) / r^2 (r measured from the tube) enters the lattice
// as Peierls links
//   U_x(i, j) = exp(i F y dx / max(R^2, r_x^2)),  r_x the midpoint of the x link,
//   U_y(i, j) = exp(-i F x dy / max(R^2, r_y^2)),  r_y the midpoint of the y link,
// holding 1/r^2 at 1/R^2 inside the disc, which spreads the flux uniformly
// over it. The product of the links around any counterclockwise loop that
// encloses the disc is then exp(-2 pi i F), while the field outside the disc
// vanishes. The incoming packet is dressed with the matching gauge phase
// exp(i F theta), theta the polar angle about the tube in [0, 2 pi).

#include "core/ComplexField2D.h"
#include "core/GaugeLinkField2D.h"
#include "core/PotentialField2D.h"

#include <string>

namespace vxo {

struct AharonovBohmConfig {
    bool enabled = false;
    double solenoidX = 0.0;
    double solenoidY = 0.0;
    double solenoidRadius = 1.25; // R > 0.05
    double fluxQuanta = 0.5;      // |F| <= 20
    double barrierHeight = 140.0; // >= 0
    double detectorX = 7.0;
    double analysisEndTime = 5.0; // > 0
};

class QuantumAharonovBohm2D {
public:
    // First failure wins; its message goes into the error text when one is given.
    static bool validateConfiguration(const AharonovBohmConfig& config, std::string* error);

    // The disc potential and the flux-tube links on the wave field's grid.
    // False, with one message written into an empty error text, for an empty
    // wave field or an invalid config. Never throws.
    static bool buildField(const ComplexField2D& field, const AharonovBohmConfig& config, PotentialField2D& potential,
                           GaugeLinkField2D& links, std::string* error);
    // The disc potential alone, as buildField paints it and with its checks,
    // for links kept from a build on the same grid with the same solenoid.
    static bool paintSolenoid(const ComplexField2D& field, const AharonovBohmConfig& config,
                              PotentialField2D& potential, std::string* error);
    // Whether the links of buildField on one grid are the same for both
    // configurations: the solenoid's place, radius and flux agree.
    static bool sameLinks(const AharonovBohmConfig& a, const AharonovBohmConfig& b);

    // Multiplies a prepared packet by exp(i F theta); nothing for an empty
    // field, an invalid config or |F| < 1e-15. The norm is unchanged.
    static void prepareInitialState(ComplexField2D& field, const AharonovBohmConfig& config);
};

} // namespace vxo

#pragma once

// The stationary plane-wave references that the four Klein reference pages
// draw beside the time-domain packet: what each page scans, over which range
// and with how many points, and where it marks the current settings.
//
// The reference is defined for angles of incidence in [0, 89.9) degrees. The
// square barrier spans the whole height of the domain, so a packet aimed
// below the axis (momentumY < 0) meets it exactly as its mirror image above
// the axis does: the pages mark and evaluate the magnitude of the signed
// angle and only the summaries show the sign.
//
// The builders return the scans' own default records (valid false, no
// points) when the settings, the range or hbar do not allow a scan.

#include "experiments/KleinScans.h"

namespace vxo {

// Angle and massless-comparison pages: 0 to 70 degrees.
constexpr double kKleinReferenceFirstAngleDegrees = 0.0;
constexpr double kKleinReferenceLastAngleDegrees = 70.0;
// Mass page: from this mass up to kleinMassReferenceLastMass.
constexpr double kKleinReferenceFirstMass = 0.005;
// Massive control particle of the massless comparison.
constexpr double kKleinReferenceControlMass = 0.8;

// |incidence angle| in degrees: where the angle page marks the packet and
// evaluates its current reference point.
double kleinReferenceMarkerAngle(const KleinTunnelingConfig& settings);
// The marker angle capped at the last scanned angle, 70 degrees: where the
// massless comparison marks and evaluates its current point.
double kleinMasslessMarkerAngle(const KleinTunnelingConfig& settings);

// Transmission against the angle of incidence, 71 points over 0..70 degrees.
KleinAngleScan buildKleinAngleReference(const KleinTunnelingConfig& settings, double hbar);

// The larger of 1.2 V0 and 4: the scanned heights always cross both
// normal-incidence thresholds of the guided packets and show the barrier
// itself with some room above it.
double kleinHeightReferenceLastHeight(double barrierHeight);
// Transmission against the barrier height, 241 points over 0..last height.
KleinHeightScan buildKleinHeightReference(const KleinTunnelingConfig& settings, double hbar);

// The smaller of max(1.1 m, 1.4) and 0.985 E / c^2: the mass scan keeps the
// total energy fixed, so it must stop short of the kinematic limit E / c^2
// where the momentum vanishes. Not above kKleinReferenceFirstMass (NaN
// included) when no scan interval is left.
double kleinMassReferenceLastMass(const KleinTunnelingConfig& settings);
// Transmission against the rest mass at fixed total energy, 181 points from
// kKleinReferenceFirstMass to the last mass; the default record when the
// interval is empty.
KleinMassScan buildKleinMassReference(const KleinTunnelingConfig& settings, double hbar);

// Massless against massive (kKleinReferenceControlMass) transmission at equal
// energy, 141 points over 0..70 degrees.
DiracMasslessComparison buildDiracMasslessReference(const KleinTunnelingConfig& settings, double hbar);

} // namespace vxo

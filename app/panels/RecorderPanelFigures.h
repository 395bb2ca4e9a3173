#pragma once

// Figures that the recorder panels of the Zeno, Berry, Loschmidt, Moshinsky,
// Kapitza-Dirac and backflow pages derive from their recorders' samples and
// settings: the phase words, the temporal peaks of the shutter signal, the
// diffraction-order sums, the sample nearest the echo time and the
// real-world estimate of a duration. Kept apart from the window so that the
// boundary cases can be checked on samples made by hand.

#include "document/ExperimentPreset.h"
#include "experiments/AharonovBohmRecorder.h"
#include "experiments/BerryRecorder.h"
#include "experiments/LandauRecorder.h"
#include "experiments/LoschmidtRecorder.h"
#include "experiments/MoshinskyRecorder.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vxo {

// "n/a" unless the mapping is valid with a positive time unit (seconds);
// otherwise formatTime of duration x time unit.
QString indicativeDurationText(const RealWorldScaleMapping& scale, double duration);

// The diffraction-in-time fringes of the detector intensity once the shutter
// is open. The signal is first averaged over a window of kFringeSmoothing in
// time, wider than the ripple the released edge rings with (period about
// 0.11) and narrow beside the fringes, so that the count does not depend on
// how densely the recorder samples. Sample i, 0 < i < n - 1, then counts when
// its time is at least openTime, its averaged intensity is above 1e-4, above
// that of sample i - 1 and not below that of sample i + 1 (a plateau counts
// once, at its first sample), and it stands out of the signal by at least
// kFringeProminence of the largest averaged intensity (its prominence: the
// height above the higher of the lowest points on either side before a
// higher sample). None for n <= 2.
constexpr double kFringeSmoothing = 0.25;
constexpr double kFringeProminence = 0.02;
std::uint64_t temporalPeakCount(const std::vector<MoshinskySample>& samples, double openTime);

// The Aharonov-Bohm detector line read where the packet passes it: the
// sample of the largest detector-line probability, its time and its three
// readings taken at the top of the parabola through it and its neighbours
// (so that neither the end time on the signal's flank nor the recorder's
// sampling decides them). While the signal still rises, the last sample.
struct DetectorPassage {
    double time = 0.0;
    double detectorProbability = 0.0;
    double centralProbability = 0.0;
    double detectorMeanY = 0.0;
};
DetectorPassage detectorPassagePeak(const std::vector<AharonovBohmSample>& samples);

// How much slower than hbar k / m the magnetic step carries a packet of wave
// vector (kx, ky) on cells dx x dy: its three-point kinetic term moves a
// plane wave at (hbar / m) (sin(kx dx) / dx, sin(ky dy) / dy), so the
// fraction is 1 - |that| / |hbar k / m|. 0 for a packet at rest.
double magneticStepSpeedLag(double kx, double ky, double dx, double dy);

// The Landau packet's survival fidelity at its return after one cyclotron
// period: the largest fidelity after half the period and its time, at the
// top of the parabola through its sample and its neighbours. The last
// sample's fidelity and time, with seen false, until a return has been seen
// (no sample past half the period, or the fidelity still rising); fidelity 0
// at time 0 without samples.
struct FidelityReturn {
    double fidelity = 0.0;
    double time = 0.0;
    bool seen = false;
};
FidelityReturn returnFidelity(const std::vector<LandauSample>& samples, double period);

// Diffraction populations of order 0, of the pair +-1 and of the pair +-2.
struct DiffractionOrderSums {
    double zero = 0.0;
    double first = 0.0;
    double second = 0.0;
};

// From populations of orders -N..N read around index centre = N: an order
// (or a pair) that falls outside the vector counts 0.
DiffractionOrderSums diffractionOrderSums(const std::vector<double>& populations, std::int32_t centre);

// "FORWARD" until the reversal has fired, then "REVERSED / RETURNING" while t
// lies below 2T and "ECHO ENDPOINT PASSED" from 2T on.
const char* loschmidtStage(bool fired, double t, double reversalTime);
// "LIGHT GRATING ON" while the pulse is on, "BEFORE PULSE" while t lies
// before its start, else "FREE SEPARATION".
const char* kapitzaDiracStage(bool pulseOn, double pulseStartTime, double t);
// "BACKFLOW (-X)" for a negative flux, "forward (+X)" otherwise (0 included).
const char* backflowDirection(double flux);

// The geometric phase of a Berry sample in degrees with its distance from
// 180 degrees, "temporarily undefined (endpoint overlap too small)" while the
// sample has no phase.
QString berryPhaseText(const BerrySample& sample);
// A reading that has an end (a loop closed, an analysis window over) keeps
// what it read there: "\nreading closed at t=<readAt> (<end>); the run goes on
// at t=<now>", so that figures that no longer move are not taken for the
// state on the screen.
QString readingClosedText(const QString& end, double readAt, double now);

// The Berry row of the diagnostics: phase and return fidelity, or the
// fidelity alone while the phase is undefined.
QString berryRowValue(const BerrySample& sample);

} // namespace vxo

#pragma once

// Momentum distribution of the Kapitza-Dirac experiment at every recorded
// step: the probability per px column, normalised to 1, and the populations
// of the diffraction orders n = -N..N, each the probability in the half-open
// bin n G - G/2 <= px < n G + G/2 around n G, G = 2 pi hbar / a.
//
// The orders are the packet's, not the grid's: the fast orders run into the
// absorbing layer while the slow ones are still on the grid, and shares of
// what is left would grow the slow orders at the expense of the fast. Out of
// the light and with no other potential the packet moves freely and every px
// column keeps its probability, so what a column loses between two such
// samples is what the layer took from it (gains included: the layer's
// damping also spreads a column into its neighbours). The recorder counts
// these losses back, and the populations are shares of the grid's
// probability plus the counted losses. What the layer takes while a
// potential moves probability between columns cannot be told apart and is
// not counted.

#include "core/MomentumSpace2D.h"
#include "experiments/QuantumKapitzaDirac2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct KapitzaDiracSample {
    double time = 0.0;
    bool pulseActive = false;
    double totalProbability = 0.0;
    double gratingMomentum = 0.0; // G
    double pxOrigin = 0.0;        // px of the first column
    double dpx = 0.0;
    std::vector<float> distribution;      // per px column on the grid, sum 1
    std::vector<double> orderPopulations; // 2N + 1 entries, order -N first, the layer's take counted
};

class KapitzaDiracRecorder {
public:
    // A capacity below 2 is raised to 2.
    explicit KapitzaDiracRecorder(std::uint64_t capacity);

    void reset();
    // Resets; accepts an enabled config that passes every rule with a finite,
    // positive hbar.
    bool configure(const KapitzaDiracConfig& config, double hbar);
    // Appends one sample per call (no thinning); nothing when not configured.
    // The calls of one run come in time order, on one grid; potentialFree
    // says that no potential acts on the packet at this time.
    void record(const MomentumSpace2D& momentumSpace, double time, bool pulseActive, bool potentialFree = true);

    bool isConfigured() const { return configured_; }
    bool isEmpty() const { return samples_.empty(); }
    std::uint64_t capacity() const { return capacity_; }
    const KapitzaDiracConfig& config() const { return config_; }
    double hbar() const { return hbar_; }
    // The probability the absorbing layer has taken since the first sample.
    double absorbedProbability() const;
    const std::vector<KapitzaDiracSample>& samples() const { return samples_; }

private:
    // Adds what each column lost since the last sample, when the packet
    // moved freely in between.
    void countLayerTake(const std::vector<double>& columns, double time, bool potentialFree);
    KapitzaDiracSample makeSample(const MomentumSpace2D& momentumSpace, const std::vector<double>& columns, double time,
                                  bool pulseActive) const;

    std::uint64_t capacity_;
    bool configured_ = false;
    KapitzaDiracConfig config_;
    double hbar_ = 1.0;
    std::vector<KapitzaDiracSample> samples_;
    std::vector<double> lastColumns_;       // column probabilities of the last sample
    double lastTime_ = 0.0;                 // and its time
    std::vector<double> layerTakeByColumn_; // probability the layer took from each column
};

} // namespace vxo

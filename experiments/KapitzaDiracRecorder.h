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
// probability plus the counted losses. While the light is on it moves
// probability between columns at every step; there the layer's take is
// counted step by step, from the columns just before and just after the
// layer, each loss in the order it was taken from. What the layer takes
// while another potential acts is not counted.

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
    // Counts what the layer took from each px column (columns as
    // momentumColumnProbabilities gives them) since the last sample or
    // counted step, when the packet moved freely in between, and makes these
    // columns the reference of the next count. record does this for every
    // sample; the main window also does it just before the light comes on.
    void followFreeFlight(const std::vector<double>& columns, double time, bool potentialFree);
    // One step with the light on: the columns just before and just after the
    // layer; their difference is what it took from each. The columns after
    // become the reference. Nothing when not configured or when the columns
    // do not match the recorded grid.
    void countStepUnderLight(const std::vector<double>& beforeLayer, const std::vector<double>& afterLayer,
                             double time);

    bool isConfigured() const { return configured_; }
    bool isEmpty() const { return samples_.empty(); }
    std::uint64_t capacity() const { return capacity_; }
    const KapitzaDiracConfig& config() const { return config_; }
    double hbar() const { return hbar_; }
    // The probability the absorbing layer has taken since the first sample.
    double absorbedProbability() const;
    const std::vector<KapitzaDiracSample>& samples() const { return samples_; }

private:
    KapitzaDiracSample makeSample(const MomentumSpace2D& momentumSpace, const std::vector<double>& columns, double time,
                                  bool pulseActive) const;

    std::uint64_t capacity_;
    bool configured_ = false;
    KapitzaDiracConfig config_;
    double hbar_ = 1.0;
    std::vector<KapitzaDiracSample> samples_;
    std::vector<double> lastColumns_;       // column probabilities of the last sample or counted step
    double lastTime_ = 0.0;                 // and its time
    std::vector<double> layerTakeByColumn_; // probability the layer took from each column
};

} // namespace vxo

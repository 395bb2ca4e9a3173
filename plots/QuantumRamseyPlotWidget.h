#pragma once

#include "experiments/DriveProtocols.h"
#include "experiments/ObservableSample.h"
#include "experiments/QuantumRamsey2D.h"

#include "plots/PlotHistories.h"
#include "plots/TwoLevelPlotWidget.h"

#include <vector>

namespace vxo {

// Ramsey and Hahn-echo interferometry on the lowest pair of a double well:
// two pulses of the bias slope separated by a free evolution (optionally
// split by an echo pulse) turn the accumulated phase into a population
// difference. Three stacked panels share the widget's width: the measured
// populations of the pair against time from 0 with the reference's pulse
// boundaries marked down through the strip, the sequence's drive signal, and
// the free-evolution fringe (predicted final population of state 2) of the
// single system and, when given, of the detuning ensemble, with the current
// free time marked. Only samples whose Ramsey block is valid are drawn or
// stretch the time axis; populations are drawn on [0, 1] (a NaN at 1).
class QuantumRamseyPlotWidget : public TwoLevelPlotWidget<RamseyReference> {
public:
    using TwoLevelPlotWidget::TwoLevelPlotWidget;

    // Where the three panels lie.
    static plot::InterferenceLayout layout();

    // Copies the single-system fringe scan.
    void setFringeScan(const std::vector<RamseyFringePoint>& points);
    // Copies the ensemble fringe scan (empty while the ensemble is off).
    void setEnsembleScan(const std::vector<RamseyEnsemblePoint>& points);
    // Copies the sequence; its signal is drawn only when it is enabled.
    void setPulseSequence(const RamseySequence& sequence);
    // Copies the ensemble settings and the ensemble at the current settings.
    void setEnsemble(const RamseyEnsemble& settings, const RamseyEnsembleResult& result);
    // Empties history and scans and restores every record to the constructor's.
    void reset();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<RamseyFringePoint> fringe_;
    std::vector<RamseyEnsemblePoint> ensembleFringe_;
    RamseySequence sequence_;
    RamseyEnsemble ensemble_;
    RamseyEnsembleResult ensembleResult_;
};

} // namespace vxo

#pragma once

#include "experiments/ObservableSample.h"
#include "experiments/QuantumBloch2D.h"

#include "plots/PlotWidget.h"

#include <vector>

namespace vxo {

// Bloch oscillations of a packet in a tilted lattice, in two stacked panels
// on one time axis running from the first to the last sample: the measured
// packet centre <x>(t) on a range that always contains 0, and the
// acceleration-theorem prediction of the quasi-momentum, p0 + F t folded into
// the zone [-pB, pB) (pB = pi hbar / a, drawn unbroken across the wraps).
// Both panels are marked at every multiple of the Bloch period
// T_B = 2 pi hbar / (|F| a) inside the time range, unless the range holds more
// periods than the panel has pixels (the marks would merge into a band, and a
// vanishing period could not be counted out).
class QuantumBlochPlotWidget : public PlotWidget {
public:
    using PlotWidget::PlotWidget;

    // Copies the observable history (oldest first) and the lattice, and
    // stores the initial momentum and hbar.
    void setData(const std::vector<ObservableSample>& samples, const BlochLatticeConfig& lattice, double p0,
                 double hbar);
    // Empties the history and clears the lattice (no longer valid); p0 and hbar stay.
    void reset();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The quarter grid in (78, 86, 96) and the frame in (170, 180, 190).
    static void drawGrid(QPainter& painter, const QRectF& rect);

    std::vector<ObservableSample> samples_;
    BlochLatticeConfig lattice_;
    double p0_ = 0.0;
    double hbar_ = 1.0;
};

} // namespace vxo

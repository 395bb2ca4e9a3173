#pragma once

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/HistoryPlotWidget.h"

#include <QString>

namespace vxo {

// The plot of the "Time series" analysis page: one global observable of the
// observable history against simulation time. The observable is an index
// 0..13 into a fixed table (centroids, widths, norm, absorbed, reflected and
// transmitted probability, the three energies, the energy drift and the two
// well populations); any other index draws row 0. A sample counts only when
// the row's validity flag (scattering or double well) is set and its value
// is finite; a sample that does not count breaks the curve.
//
// Ranges: probabilities run from 0 to max(1, largest value) without margin;
// every other observable from min(0, smallest) to max(0, largest) widened by
// 5 % on each side, or by half its magnitude (at least 0.5) when flat. A
// centre of the packet (<x>, <y>) spans at least the packet's narrowest width
// along its axis on either side of the middle of its values, before the
// margin. Both axes carry round numbers, each with its grid line.
class QuantumTimeSeriesPlotWidget : public HistoryPlotWidget {
public:
    explicit QuantumTimeSeriesPlotWidget(QWidget* parent = nullptr);

    // Where the panel lies.
    static plot::PanelLayout layout();

    // Stores the observable's index without range check; repaints.
    void setObservable(int observable);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString observableLabel() const;
    // The row's value of sample, false when the row's validity flag is clear.
    bool sampleValue(const ObservableSample& sample, double& value) const;
    // The smallest finite positive width the packet had along the centre's
    // axis; 0 for an observable that is not a centre, or without such a width.
    double narrowestWidth() const;

    int observable_ = 0;
};

} // namespace vxo

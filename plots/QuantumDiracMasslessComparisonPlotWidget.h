#pragma once

#include "experiments/KleinScans.h"

#include "plots/PlotWidget.h"

namespace vxo {

namespace plot {
struct ScanFrame;
}

// The massless Dirac (graphene-like) page: at one energy and one barrier the
// stationary transmission of a massless particle and of a massive control
// particle against the incidence angle, from a copied comparison record, with
// the near-normal chirality window shaded, the current angle marked on the
// massless curve and the packet's largest transmitted probability as a red
// dot there.
class QuantumDiracMasslessComparisonPlotWidget : public PlotWidget {
public:
    using PlotWidget::PlotWidget;

    // Copies the record and the two values and repaints; a negative packet
    // value means there is none.
    void setScan(const DiracMasslessComparison& scan, double currentAngleDegrees, double packetMaxPRight);
    // Back to the empty record and no packet value; the current angle stays.
    void reset();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The massless curve, or the massive control's, broken at unsolved points.
    void drawCurve(QPainter& painter, const plot::ScanFrame& frame, bool massless, const QColor& colour,
                   double width) const;

    DiracMasslessComparison scan_;
    double currentAngleDegrees_ = 0.0;
    double packetMaxPRight_ = -1.0;
};

} // namespace vxo

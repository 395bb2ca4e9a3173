#pragma once

#include "plots/ParticlePlotWidget.h"

#include <QRectF>

class QSize;

namespace vxo {

class VortexRecorder;

// The vortex page: a phase vortex placed off the centre of an isotropic
// harmonic trap precesses about the centre. On the left the measured orbit of
// the vortex core against the circle through its start about the trap centre
// (the harmonic reference orbit), the two axes scaled separately; on the right
// the angular momentum <Lz>/hbar against time, with zero always in range.
//
// The mass gives the trap frequency of the caption; hbar divides <Lz>.
class QuantumVortexPlotWidget : public ParticlePlotWidget<VortexRecorder> {
public:
    using ParticlePlotWidget::ParticlePlotWidget;

    // Where the two panels lie, side by side in a widget of size (w, h): both
    // start at top and are side = share * max(h - heightMargin, minimumHeight)
    // high; the orbit panel starts at left and is min(max(orbitShare * w,
    // minimumOrbitWidth), aspect * side) wide; the momentum panel starts gap
    // after its right edge R and is max(w - R - rightMargin,
    // minimumMomentumWidth) wide.
    struct Layout {
        double left = 54.0;
        double top = 32.0;
        double heightMargin = 110.0;
        double minimumHeight = 120.0;
        double share = 0.63;
        double orbitShare = 0.55;
        double minimumOrbitWidth = 120.0;
        double aspect = 1.45;
        double gap = 42.0;
        double rightMargin = 66.0;
        double minimumMomentumWidth = 80.0;
    };
    struct Panels {
        QRectF orbit;
        QRectF momentum;
    };
    static Layout layout() { return Layout{}; }
    static Panels panels(const QSize& widgetSize, const Layout& layout);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vxo

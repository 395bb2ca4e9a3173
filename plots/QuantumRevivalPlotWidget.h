#pragma once

#include "experiments/QuantumRevival2D.h"

#include "plots/PlotPages.h"
#include "plots/PlotTimeMarkers.h"
#include "plots/RecordPlotWidget.h"

namespace vxo {

class RevivalRecorder;

// The wave-packet revivals page: on top the quantum carpet, the x-marginal of
// the packet across the box interior with one row per recorded sample (time
// running downwards, each row scaled to its own maximum); below it the
// recurrence fidelity |<psi(0)|psi(t)>|^2 against time. Dashed markers at the
// quarter, half, three-quarter and full revival times T_rev = 4 m L^2 / (pi
// hbar) of the box width cross both panels.
class QuantumRevivalPlotWidget : public RecordPlotWidget<RevivalRecorder, RevivalBoxConfig> {
public:
    using RecordPlotWidget::RecordPlotWidget;

    // Stores the pointer (null means no data) and copies the box, mass and
    // hbar; reset() zeroes the box and keeps mass and hbar.
    void setRecorder(const RevivalRecorder* recorder, const RevivalBoxConfig& config, double mass, double hbar);

    // Where the two panels lie.
    static plot::SplitLayout layout()
    {
        return plot::carpetPageLayout().withMinimumHeight(80.0).withMinimumWidth(20.0);
    }

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return layout(); }
    void paintEvent(QPaintEvent* event) override;

private:
    double mass_ = 1.0;
    double hbar_ = 1.0;
};

} // namespace vxo

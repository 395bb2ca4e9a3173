#pragma once

#include "core/CrossSectionProfile.h"

#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/PlotWidget.h"

#include <vector>

namespace vxo {

// The plot of the "Cross-section" analysis page: one curve of a section of
// the wave field along a grid line (|psi|^2, Re psi, Im psi or the phase), or
// of the momentum density when the main window shows momentum space, against
// the coordinate along the line. The widget keeps a copy of the section and
// computes nothing physical; each paint ranges and draws the chosen curve
// from the copy.
//
// Ranges: |psi|^2 runs from 0 to its maximum, the real and imaginary parts
// from min(0, smallest) to max(0, largest), the phase over [-pi, pi]; a flat
// curve is padded by half its magnitude (at least 0.5) on each side. Values
// that are not finite are left out of the range and of the curve. Both axes
// carry round numbers, each with its grid line.
class QuantumCrossSectionPlotWidget : public PlotWidget {
public:
    explicit QuantumCrossSectionPlotWidget(QWidget* parent = nullptr);

    // Where the panel lies.
    static plot::PanelLayout layout();

    // Copies the whole record (reusing the storage of the vectors); repaints.
    void setSection(const CrossSectionProfile& section);
    // 0 = |psi|^2, 1 = real part, 2 = imaginary part, 3 = phase; any other
    // value draws |psi|^2. Repaints.
    void setDisplayMode(int mode);
    // Only the captions change in momentum space. Repaints on a change only.
    void setMomentumSpace(bool momentumSpace);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const std::vector<double>& curveValues() const;
    void valueRange(double& lo, double& hi) const;

    CrossSectionProfile section_;
    int displayMode_ = 0;
    bool momentumSpace_ = false;
};

} // namespace vxo

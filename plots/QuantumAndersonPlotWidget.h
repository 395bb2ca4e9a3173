#pragma once

#include "plots/RecorderPlotWidget.h"

#include <vector>

class QPainter;

namespace vxo {

class AndersonRecorder;

// The Anderson page: one packet runs along two parallel lanes of Gaussian
// sites, a clean periodic row and a row with diagonal disorder. On top the
// current x-profile of both lanes over the lattice sites; below the spread
// sigma_x of both lanes against time from t = 0. Cyan is the clean lane and
// magenta the disordered one throughout; the disordered spread levels off
// where the clean one keeps growing.
//
// The mass and hbar handed with the recorder are kept but not drawn.
class QuantumAndersonPlotWidget : public RecorderPlotWidget<AndersonRecorder> {
public:
    using RecorderPlotWidget::RecorderPlotWidget;

    // Stores the pointer (null means no data), the mass and hbar.
    void setRecorder(const AndersonRecorder* recorder, double mass, double hbar);

    // Where the two panels lie: under the page's title, each with its own
    // title line above it, the spreads' times and their caption under them;
    // side by side on a short, wide page.
    static plot::SplitLayout layout()
    {
        return plot::SplitLayout{}
            .withLeft(54.0)
            .withRight(18.0)
            .withTop(44.0)
            .withGap(34.0)
            .withBottom(40.0)
            .withMinimumHeight(180.0)
            .withMinimumWidth(20.0)
            .withSideBySidePanelWidth(160.0);
    }

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return layout(); }
    void paintEvent(QPaintEvent* event) override;

private:
    // One lane of the last sample over [xmin, xmax], the points outside left out.
    void drawProfile(QPainter& painter, const QRect& panel, const std::vector<float>& profile, double x0, double dx,
                     double xmin, double xmax, double pmax, const QColor& colour) const;
    // sigma_x of one lane against time from 0 to tmax.
    void drawSpreadCurve(QPainter& painter, const QRect& panel, bool disordered, double tmax, double smax,
                         const QColor& colour, Qt::PenStyle style) const;

    double mass_ = 1.0;
    double hbar_ = 1.0;
};

} // namespace vxo

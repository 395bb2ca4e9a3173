#pragma once

#include "plots/AxisNumbers.h"
#include "plots/PlotAxes.h"
#include "plots/PlotPages.h"
#include "plots/RecorderPlotWidget.h"
#include "plots/PlotCurves.h"

#include <QPainter>

#include <limits>
#include <optional>

namespace vxo {

// A recorder page of a packet in a magnetic field (the Landau and Hall-edge
// pages): the trajectory of its mean position in the plane, on one scale
// along both axes, over a panel of its traces against time, each panel
// captioned under it and the newest sample summarised inside the top of the
// upper one. The recorder's samples carry time, meanX and meanY.
template <typename Recorder>
class OrbitPlotWidget : public RecorderPlotWidget<Recorder> {
public:
    using RecorderPlotWidget<Recorder>::RecorderPlotWidget;

    // Where the two panels lie.
    static plot::StackedLayout layout() { return plot::orbitOverTimeLayout(); }

protected:
    std::optional<plot::SplitLayout> splitLayout() const override { return plot::splitForm(layout()); }

    // Opens the page as a gauge page (plot::beginGaugePage) in this widget's
    // rectangle and font: both panels drawn; nothing after the placeholder
    // without samples.
    std::optional<plot::StackedPanels> beginOrbitPage(QPainter& painter, const QString& title,
                                                      const QString& placeholder) const
    {
        return plot::beginGaugePage(painter, this->rect(), this->font(), title, this->hasSamples(), placeholder,
                                    layout());
    }

    // The mean position through every sample in order (gaps bridged) and the
    // newest one as a disc.
    void drawTrajectory(QPainter& painter, const plot::PlaneAxes& axes) const
    {
        const auto& samples = this->recorder_->samples();
        const auto plane = [&](double x, double y) { return plot::mapPlane(axes, x, y); };
        plot::strokePath(painter,
                         plot::polylineBridgingGaps(
                             samples.size(), [&](std::size_t i) { return plane(samples[i].meanX, samples[i].meanY); }),
                         plot::plotPen(QColor(plot::kGauge.trajectory), 2.0));
        plot::drawDisc(painter, plane(samples.back().meanX, samples.back().meanY), 4.5, QColor(plot::kGauge.highlight));
    }

    // The lower panel's times (tAxis) under it, the caption under each panel
    // and the summary inside the upper one's top.
    void drawOrbitTexts(QPainter& painter, const plot::StackedPanels& panels, const plot::AxisMap& tAxis,
                        const QString& orbitCaption, const QString& timeCaption, const QString& summary) const
    {
        plot::drawTickedAxisNumbers(painter, QRectF(panels.lower), tAxis, QColor(plot::kInnerPanel.gaugeCaption),
                                    QColor(plot::kInnerPanel.stackedFrame), 3.0);
        plot::drawStackedTexts(painter, panels, plot::withTimesUnder(layout().texts, panels, this->font(), false),
                               orbitCaption, timeCaption, summary, QColor(plot::kInnerPanel.gaugeCaption),
                               QColor(plot::kInnerPanel.stackedSummary), QColor(plot::kInnerPanel.fill));
    }
    // The numbers of a fraction (a probability, a fidelity) in the time
    // panel, left of it in the colour of its curve.
    void drawFractionNumbers(QPainter& painter, const plot::StackedPanels& panels, const QColor& colour) const
    {
        plot::drawValueNumbers(painter, QRectF(panels.lower),
                               plot::numbersBelow(plot::fractionAxis(panels.lower, this->font(), colour),
                                                  textBandBottom(panels), this->font()));
    }
    // The lowest row of the summary's band over panels side by side, which a
    // number beside a panel must stay under; none over stacked panels.
    static double textBandBottom(const plot::StackedPanels& panels)
    {
        return plot::sideBySide(panels) && panels.summaryShown ? panels.upper.top()
                                                               : -std::numeric_limits<double>::infinity();
    }
};

} // namespace vxo

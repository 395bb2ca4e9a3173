#include "plots/QuantumAndersonPlotWidget.h"

#include "experiments/AndersonRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>

namespace vxo {

using namespace plot;

void QuantumAndersonPlotWidget::setRecorder(const AndersonRecorder* recorder, double mass, double hbar)
{
    mass_ = mass;
    hbar_ = hbar;
    RecorderPlotWidget::setRecorder(recorder);
}

void QuantumAndersonPlotWidget::drawProfile(QPainter& painter, const QRect& panel, const std::vector<float>& profile,
                                            double x0, double dx, double xmin, double xmax, double pmax,
                                            const QColor& colour) const
{
    strokePath(painter,
               polylineBridgingGaps(profile.size(),
                                    [&](std::size_t i) -> std::optional<QPointF> {
                                        const double x = x0 + static_cast<double>(i) * dx;
                                        if (!(xmin <= x && x <= xmax))
                                            return std::nullopt;
                                        return QPointF(panel.left() + (x - xmin) / (xmax - xmin) * panel.width(),
                                                       panel.bottom() - (profile[i] / pmax) * panel.height());
                                    }),
               plotPen(colour, 2.0));
}

void QuantumAndersonPlotWidget::drawSpreadCurve(QPainter& painter, const QRect& panel, bool disordered, double tmax,
                                                double smax, const QColor& colour, Qt::PenStyle style) const
{
    const std::vector<AndersonSample>& samples = recorder_->samples();
    strokePath(painter,
               polylineBridgingGaps(samples.size(),
                                    [&](std::size_t i) {
                                        const AndersonLaneMetrics& lane =
                                            disordered ? samples[i].disordered : samples[i].clean;
                                        return QPointF(panel.left() + (samples[i].time / tmax) * panel.width(),
                                                       panel.bottom() - (lane.sigmaX / smax) * panel.height());
                                    }),
               plotPen(colour, 2.0, style));
}

void QuantumAndersonPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    beginPlot(painter, rect(), QColor(kRecorder.latticeBackground));
    drawTitleLine(painter, QRectF(8, 2, width() - 16, 20), Qt::AlignCenter,
                  QStringLiteral("Anderson localization: clean periodic lane vs diagonal disorder"),
                  QColor(kRecorder.andersonText));

    const QString profileHeading = QStringLiteral("Current X profile (lane-normalized probability density)");
    const QString spreadHeading = QStringLiteral("Spread versus time: sigma_x");
    const HeadedPanels headed = headedPanels(size(), layout(), font(), profileHeading, spreadHeading);
    const SplitPanels& panels = headed.panels;
    const QRect profilePanel = pixelPanel(panels.upper);
    const QRect spreadPanel = pixelPanel(panels.lower);

    if (!hasSamples()) {
        drawCentredText(painter, QRectF(rect()), QStringLiteral("Run the Anderson Localization preset"),
                        QColor(kRecorder.label));
        return;
    }
    const std::vector<AndersonSample>& samples = recorder_->samples();
    const AndersonSample& last = samples.back();
    const AndersonLattice& lattice = recorder_->lattice();
    const QPen framePen = plotPen(QColor(kRecorder.latticeFrame));
    drawFrame(painter, QRectF(profilePanel), framePen);
    drawFrame(painter, QRectF(spreadPanel), framePen);
    drawPanelHeadings(painter, headed, profileHeading, spreadHeading, QColor(kRecorder.andersonText));

    const std::vector<float>& clean = last.clean.profile;
    const std::vector<float>& disordered = last.disordered.profile;
    if (!lattice.siteX.empty() && !clean.empty() && clean.size() == disordered.size()) {
        const double xmin = lattice.siteX.front() - 0.75 * lattice.spacing;
        const double xmax = lattice.siteX.back() + 0.75 * lattice.spacing;
        // One site with no spacing leaves no range to divide by: the panel stays empty.
        if (xmax > xmin) {
            double pmax = 0.0;
            for (const std::vector<float>* profile : {&clean, &disordered})
                for (const float p : *profile)
                    pmax = std::max(pmax, static_cast<double>(p));
            pmax = atLeast(pmax, 1e-9);
            const QPen sitePen = plotPen(QColor(kRecorder.latticeFrame), 1.0, Qt::DotLine);
            for (const double site : lattice.siteX)
                drawVerticalLine(
                    painter, sitePen,
                    roundedPixel(profilePanel.left() + (site - xmin) / (xmax - xmin) * profilePanel.width()),
                    profilePanel.top(), profilePanel.bottom());
            // Both lanes on the x grid of the clean lane's profile.
            drawProfile(painter, profilePanel, clean, last.clean.profileOriginX, last.clean.profileDx, xmin, xmax, pmax,
                        QColor(kLattice.curve));
            drawProfile(painter, profilePanel, disordered, last.clean.profileOriginX, last.clean.profileDx, xmin, xmax,
                        pmax, QColor(kLattice.disordered));
            const QRectF legend(profilePanel.adjusted(8, 6, -8, -6));
            // The profiles and site lines reach every row of the panel: the
            // legend stands on patches of the background.
            // A narrow panel sets the second name on the line below the first.
            const QColor patch(kRecorder.latticeBackground);
            const QString cleanName = QStringLiteral("clean periodic lane");
            const QString disorderedName = QStringLiteral("disordered lane");
            const bool oneLine = painter.fontMetrics().horizontalAdvance(cleanName) +
                                     painter.fontMetrics().horizontalAdvance(disorderedName) + 16 <=
                                 legend.width();
            drawTextOnPatch(painter, legend, Qt::AlignLeft | Qt::AlignTop, cleanName, QColor(kLattice.curve), patch);
            drawTextOnPatch(painter, oneLine ? legend : legend.adjusted(0.0, 18.0, 0.0, 0.0),
                            Qt::AlignRight | Qt::AlignTop, disorderedName, QColor(kLattice.disordered), patch);
        }
    }

    // The time axis starts at 0, so dropped early samples leave the left edge empty.
    const double tmax = atLeast(last.time, 1e-9);
    double smax = 0.0;
    for (const AndersonSample& s : samples)
        smax = std::max({smax, s.clean.sigmaX, s.disordered.sigmaX});
    smax = atLeast(smax, 1.0);
    // The key and the time stand above the spreads, which reach every row of
    // the panel; the spreads and times at round values.
    const QColor text(kRecorder.andersonText);
    const QRect spreads =
        pixelPanel(curvesUnderLegend(painter, panels.lower, true,
                                     {{QStringLiteral("cyan clean periodic lane"), kLattice.curve, 8.0, 180.0},
                                      {QStringLiteral("magenta disordered lane"), kLattice.disordered, 190.0, 180.0}},
                                     QColor(kRecorder.latticeFrame), QColor(kRecorder.latticeBackground),
                                     QStringLiteral("t=%1").arg(tmax, 0, 'f', 1), text));
    const NumberedAxis widths{
        AxisMap{static_cast<double>(spreads.bottom()), -static_cast<double>(spreads.height()), 0.0, smax},
        verticalTicks(0.0, smax, spreads.height(), font()), text};
    const NumberedAxis times{
        AxisMap{static_cast<double>(spreads.left()), static_cast<double>(spreads.width()), 0.0, tmax},
        horizontalTicks(0.0, tmax, spreads.width(), font()), text};
    drawValueLines(painter, QRectF(spreads), widths, plotPen(QColor(kRecorder.latticeFrame), 1.0, Qt::DotLine));
    drawSpreadCurve(painter, spreads, false, tmax, smax, QColor(kLattice.curve), Qt::SolidLine);
    drawSpreadCurve(painter, spreads, true, tmax, smax, QColor(kLattice.disordered), Qt::SolidLine);
    drawValueNumbers(painter, QRectF(spreads), widths);
    drawSimulationTimeAxis(painter, QRectF(spreadPanel), times, QColor(kRecorder.latticeFrame));
}

} // namespace vxo

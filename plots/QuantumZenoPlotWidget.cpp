#include "plots/QuantumZenoPlotWidget.h"

#include "experiments/ZenoRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace vxo {

using namespace plot;

void QuantumZenoPlotWidget::drawSurvivalCurve(QPainter& painter, const QRect& panel, double tmax, bool watched,
                                              const QColor& colour) const
{
    // Time from 0; survival from the panel's bottom row up by its height.
    const AxisMap time{static_cast<double>(panel.left()), static_cast<double>(panel.width()), 0.0, tmax};
    const AxisMap unit{static_cast<double>(panel.bottom()), -static_cast<double>(panel.height()), 0.0, 1.0};
    // The watched lane's survival is the product of the measured survival fractions.
    strokePath(painter,
               timeCurve(recorder_->samples(), time, unit,
                         clampedFraction(watched ? &ZenoSample::measuredSurvival : &ZenoSample::controlSurvival)),
               plotPen(colour, 2.2));
}

void QuantumZenoPlotWidget::drawLaneProfile(QPainter& painter, const QRect& panel, const std::vector<float>& profile,
                                            double xmin, double xmax, double pmax, const QColor& colour) const
{
    strokePath(painter,
               polylineBridgingGaps(profile.size(),
                                    [&](std::size_t i) {
                                        const double x = record_.originX + static_cast<double>(i) * record_.dx;
                                        return QPointF(panel.left() + (x - xmin) / (xmax - xmin) * panel.width(),
                                                       panel.bottom() - (profile[i] / pmax) * panel.height());
                                    }),
               plotPen(colour, 2.0));
}

void QuantumZenoPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    beginLatticePage(painter, rect(),
                     QStringLiteral("Quantum Zeno effect: unmeasured escape vs repeatedly watched survival"), 2);

    const QString survivalHeading = QStringLiteral("Survival probability");
    const QString profileHeading = QStringLiteral("Current X profile (each lane normalized for shape)");
    const HeadedPanels headed = headedPanels(size(), layout(), font(), survivalHeading, profileHeading);
    const SplitPanels& panels = headed.panels;
    const QRect survivalPanel = pixelPanel(panels.upper);
    const QRect profiles = pixelPanel(panels.lower);
    const QPen framePen = plotPen(QColor(kRecorder.latticeFrame));
    drawFrame(painter, QRectF(survivalPanel), framePen);
    drawFrame(painter, QRectF(profiles), framePen);
    drawPanelHeadings(painter, headed, survivalHeading, profileHeading, QColor(kRecorder.latticeText));

    if (!hasSamples()) {
        // Side by side the page's middle lies between the panels: the hint goes inside the first.
        const QString hint = QStringLiteral("Run the Quantum Zeno / Watched Escape preset");
        if (sideBySide(panels))
            drawTextBox(painter, QRectF(survivalPanel), Qt::AlignCenter | Qt::TextWordWrap, hint,
                        QColor(kRecorder.latticeText));
        else
            drawCentredText(painter, QRectF(rect()), hint, QColor(kRecorder.latticeText));
        return;
    }
    const ZenoSample& last = recorder_->samples().back();

    const double tmax = atLeast(last.time, 1e-9);
    // Side by side the lanes' names stand above the survival curves, which start at the top.
    const QString watched = QStringLiteral("lower watched: repeated YES projections");
    const double watchedOffset = survivalPanel.width() - 16.0 - QFontMetricsF(font()).horizontalAdvance(watched);
    const std::vector<LegendItem> legend{{QStringLiteral("upper control: no measurements"), kLattice.control, 8.0, 0.0},
                                         {watched, kLattice.curve, 8.0 + watchedOffset, 0.0}};
    // The lanes' names and the count of measurements stand above the
    // survival curves, which start at the top; the times under the panel.
    // Side by side the narrow panel keeps its rows for the curves: the page's
    // summary gives the count and the times the last one.
    const QColor text(kRecorder.latticeText);
    const QString count = sideBySide(panels)
                              ? QString()
                              : QStringLiteral("t=%1   measurements=%2")
                                    .arg(QString::number(tmax, 'f', 1), QString::number(last.measurementCount));
    const QRect survival =
        pixelPanel(curvesUnderLegend(painter, panels.upper, true, legend, QColor(kRecorder.latticeFrame),
                                     QColor(kRecorder.latticeBackground), count, text));
    const NumberedAxis survivals{
        AxisMap{static_cast<double>(survival.bottom()), -static_cast<double>(survival.height()), 0.0, 1.0},
        verticalTicks(0.0, 1.0, survival.height(), font()), text};
    const AxisMap times{static_cast<double>(survival.left()), static_cast<double>(survival.width()), 0.0, tmax};
    drawValueLines(painter, QRectF(survival), survivals, plotPen(QColor(kRecorder.latticeFrame), 1.0, Qt::DotLine));
    drawSurvivalCurve(painter, survival, tmax, false, QColor(kLattice.control));
    drawSurvivalCurve(painter, survival, tmax, true, QColor(kLattice.curve));
    drawValueNumbers(painter, QRectF(survival), survivals);
    drawTickedAxisNumbers(painter, QRectF(panels.upper), times, text, QColor(kRecorder.latticeFrame), 3.0);

    // A single point spans no x range: the panel stays empty rather than divide by zero.
    const std::size_t n = record_.control.size();
    if (n < 2 || record_.watched.size() != n || !(record_.dx > 0.0))
        return;
    const double xmin = record_.originX;
    const double xmax = record_.originX + static_cast<double>(n - 1) * record_.dx;
    double pmax = 0.0;
    for (const std::vector<float>* profile : {&record_.control, &record_.watched})
        for (const float p : *profile)
            pmax = std::max(pmax, static_cast<double>(p));
    pmax = atLeast(pmax, 1e-12);

    const double edge = roundedPixel(profiles.left() +
                                     (recorder_->config().survivalBoundaryX - xmin) / (xmax - xmin) * profiles.width());
    if (profiles.left() <= edge && edge <= profiles.right()) {
        drawVerticalLine(painter, plotPen(QColor(kLattice.edge), 1.5, Qt::DashLine), edge, profiles.top(),
                         profiles.bottom());
    }
    drawLaneProfile(painter, profiles, record_.control, xmin, xmax, pmax, QColor(kLattice.control));
    drawLaneProfile(painter, profiles, record_.watched, xmin, xmax, pmax, QColor(kLattice.curve));
    // The texts over the profiles stand on patches; a narrow panel wraps
    // them, and sets the edge's name left of it where the panel ends too
    // soon after it for its longest word.
    const QColor patch(kRecorder.latticeBackground);
    if (profiles.left() <= edge && edge <= profiles.right()) {
        const QString edgeName = QStringLiteral("measurement edge");
        const QFontMetricsF metrics(painter.font());
        const double nameWidth = std::max(120.0, metrics.horizontalAdvance(edgeName) + 2.0);
        const bool right = edge + 4 + metrics.horizontalAdvance(QStringLiteral("measurement")) <= profiles.right() - 10;
        drawTextInPanel(painter, QRectF(right ? edge + 4 : edge - 4 - nameWidth, profiles.top() + 4, nameWidth, 18),
                        QRectF(profiles), right ? Qt::AlignLeft : Qt::AlignRight, edgeName, QColor(kLattice.edge),
                        patch);
    }
    drawTextOnPatch(painter, QRectF(profiles.adjusted(8, 6, -8, -6)),
                    Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, QStringLiteral("orange control   cyan watched"),
                    QColor(kRecorder.latticeText), patch);
    // The positions under the profiles, at round values of x.
    drawTickedAxisNumbers(
        painter, QRectF(profiles),
        AxisMap{static_cast<double>(profiles.left()), static_cast<double>(profiles.width()), xmin, xmax - xmin},
        QColor(kRecorder.latticeText), QColor(kRecorder.latticeFrame), 3.0);
}

} // namespace vxo

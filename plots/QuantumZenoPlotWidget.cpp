#include "plots/QuantumZenoPlotWidget.h"

#include "experiments/ZenoRecorder.h"
#include "plots/PlotPainting.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace vxo {

using namespace plot;

namespace {

constexpr int kTitleLine = 20;

} // namespace

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

    // The panels start one line below the widget title, so that the upper
    // panel's title has a line of its own.
    const int panelHeight = std::max((height() - 96 - kTitleLine) / 2, 95);
    const int panelWidth = std::max(width() - 78, 20);
    const QRect survival(58, 28 + kTitleLine, panelWidth, panelHeight);
    const QRect profiles(58, panelHeight + 66 + kTitleLine, panelWidth, panelHeight);
    const QPen framePen = plotPen(QColor(kRecorder.latticeFrame));
    drawFrame(painter, QRectF(survival), framePen);
    drawPanelHeading(painter, survival, QStringLiteral("Survival probability"), QColor(kRecorder.latticeText));
    drawFrame(painter, QRectF(profiles), framePen);
    drawPanelHeading(painter, profiles, QStringLiteral("Current X profile (each lane normalized for shape)"),
                     QColor(kRecorder.latticeText));

    if (!hasSamples()) {
        drawCentredText(painter, QRectF(rect()), QStringLiteral("Run the Quantum Zeno / Watched Escape preset"),
                        QColor(kRecorder.latticeText));
        return;
    }
    const ZenoSample& last = recorder_->samples().back();

    const double tmax = atLeast(last.time, 1e-9);
    const QPen gridPen = plotPen(QColor(kRecorder.latticeFrame), 1.0, Qt::DotLine);
    for (int i = 1; i <= 3; ++i)
        drawHorizontalLine(painter, gridPen, survival.left(), survival.right(),
                           roundedPixel(survival.bottom() - survival.height() * 0.25 * i));
    drawSurvivalCurve(painter, survival, tmax, false, QColor(kLattice.control));
    drawSurvivalCurve(painter, survival, tmax, true, QColor(kLattice.curve));
    // The control's entry at the left, the watched lane's at the right, on a
    // second line where the panel is too narrow for both.
    const QString watched = QStringLiteral("lower watched: repeated YES projections");
    const double watchedOffset = survival.width() - 16.0 - QFontMetricsF(font()).horizontalAdvance(watched);
    drawLegendRow(painter, survival.left() + 8.0, survival.top() + 6.0, survival.left() + survival.width() - 8.0,
                  {{QStringLiteral("upper control: no measurements"), kLattice.control, 0.0, 0.0},
                   {watched, kLattice.curve, watchedOffset, 0.0}},
                  QColor(kRecorder.latticeBackground));
    drawTextBox(painter, QRectF(4, survival.top(), 48, 18), Qt::AlignRight, QStringLiteral("1.0"),
                QColor(kRecorder.latticeText));
    drawTextBox(painter, QRectF(4, survival.bottom() - 16, 48, 18), Qt::AlignRight, QStringLiteral("0.0"),
                QColor(kRecorder.latticeText));
    drawTextBox(painter, QRectF(survival.left(), survival.bottom() + 4, survival.width(), 20), Qt::AlignRight,
                QStringLiteral("t=%1   measurements=%2")
                    .arg(QString::number(tmax, 'f', 1), QString::number(last.measurementCount)),
                QColor(kRecorder.latticeText));

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
        drawTextBox(painter, QRectF(edge + 4, profiles.top() + 4, 120, 18), Qt::AlignLeft | Qt::TextDontClip,
                    QStringLiteral("measurement edge"), QColor(kLattice.edge));
    }
    drawLaneProfile(painter, profiles, record_.control, xmin, xmax, pmax, QColor(kLattice.control));
    drawLaneProfile(painter, profiles, record_.watched, xmin, xmax, pmax, QColor(kLattice.curve));
    drawTextOnPatch(painter, QRectF(profiles.adjusted(8, 6, -8, -6)), Qt::AlignLeft | Qt::AlignBottom,
                    QStringLiteral("orange control   cyan watched"), QColor(kRecorder.latticeText),
                    QColor(kRecorder.latticeBackground));
    const QRectF band(profiles.left(), profiles.bottom() + 4, profiles.width(), 20);
    drawTextBox(painter, band, Qt::AlignLeft, QStringLiteral("x=%1").arg(xmin, 0, 'f', 1),
                QColor(kRecorder.latticeText));
    drawTextBox(painter, band, Qt::AlignRight, QStringLiteral("x=%1").arg(xmax, 0, 'f', 1),
                QColor(kRecorder.latticeText));
}

} // namespace vxo

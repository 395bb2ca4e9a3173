#include "plots/PlotPages.h"
#include "plots/PlotPalette.h"
#include "plots/QuantumDiracMasslessComparisonPlotWidget.h"
#include "plots/QuantumKleinAngleScanPlotWidget.h"
#include "plots/QuantumKleinHeightScanPlotWidget.h"
#include "plots/QuantumKleinMassScanPlotWidget.h"

#include "AxisReading.h"
#include "PaintedTexts.h"
#include "PlotRobustness.h"
#include "PlotTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

namespace vxo {
namespace {

using test::kInf;
using test::kNaN;

const QSize kSize(720, 470);
const QColor kCurve(plot::kCurves.leading);
const QColor kCurrent(plot::kMarkers.scanCurrent);
const QColor kPacket(plot::kMarkers.scanPacket);
const QColor kMassive(plot::kDirac.massiveCurve);
const QColor kKleinPlaceholderText(plot::kKleinPage.placeholderColour);

// The Klein settings of the guided experiment at an incidence angle.
KleinTunnelingConfig kleinAt(double angleDegrees, double restMass = 0.05, double barrierHeight = 3.2)
{
    KleinTunnelingConfig config;
    config.enabled = true;
    config.restMass = restMass;
    config.barrierHeight = barrierHeight;
    const double p = 1.5;
    config.momentumX = p * std::cos(angleDegrees * M_PI / 180.0);
    config.momentumY = p * std::sin(angleDegrees * M_PI / 180.0);
    return config;
}

struct Point {
    bool valid;
    double value;
    double transmission;
};

// One painted scan and what its page is about: the panel, the scanned range,
// the curve's points and the marked value.
struct ScanView {
    std::string name;
    QImage image;
    QRect panel;
    double first;
    double last;
    std::vector<Point> points;
    double current;
    double packet;

    double x(double v) const { return panel.left() + panel.width() * (v - first) / (last - first); }
    double y(double t) const
    {
        return panel.bottom() - panel.height() * (std::isnan(t) ? 0.0 : std::max(0.0, std::min(t, 1.0)));
    }
    QPointF at(double v, double t) const { return QPointF(x(v), y(t)); }
    // Linear interpolation over the first pair of solved points that reaches v.
    double transmissionAt(double v) const
    {
        for (std::size_t i = 1; i < points.size(); ++i)
            if (points[i - 1].valid && points[i].valid && points[i].value >= v)
                return points[i - 1].transmission + (points[i].transmission - points[i - 1].transmission) *
                                                        (v - points[i - 1].value) /
                                                        (points[i].value - points[i - 1].value);
        return points.front().transmission;
    }
};

// Paints the scan on its page and reads back the page's panel, range and
// curve; point(p) gives a record point's scanned value and transmission.
template <typename Widget, typename Scan, typename Point>
ScanView paintScan(QWidget& host, const std::string& name, const Scan& scan, double current, double packet,
                   double first, double last, Point&& point)
{
    Widget& plot = *new Widget(&host);
    plot.setScan(scan, current, packet);
    ScanView view{
        name, test::grabPlot(plot, kSize), plot::scanPanel(kSize, plot.scanLayout()), first, last, {}, current, packet};
    for (const auto& p : scan.points) {
        const auto [value, transmission] = point(p);
        view.points.push_back({p.valid, value, transmission});
    }
    return view;
}

ScanView angleView(QWidget& host, const KleinAngleScan& scan, double current, double packet)
{
    return paintScan<QuantumKleinAngleScanPlotWidget>(
        host, "angle", scan, current, packet, scan.firstAngleDegrees, scan.lastAngleDegrees,
        [](const auto& p) { return std::pair(p.incidenceAngleDegrees, p.transmission); });
}

ScanView heightView(QWidget& host, const KleinHeightScan& scan, double current, double packet)
{
    return paintScan<QuantumKleinHeightScanPlotWidget>(
        host, "height", scan, current, packet, scan.firstHeight, scan.lastHeight,
        [](const auto& p) { return std::pair(p.barrierHeight, p.transmission); });
}

// The window's mass scan starts at 0.005, next to zero mass: its axis runs from 0.
ScanView massView(QWidget& host, const KleinMassScan& scan, double current, double packet)
{
    return paintScan<QuantumKleinMassScanPlotWidget>(
        host, "mass", scan, current, packet, scan.firstMass == 0.005 ? 0.0 : scan.firstMass, scan.lastMass,
        [](const auto& p) { return std::pair(p.restMass, p.transmission); });
}

ScanView masslessView(QWidget& host, const DiracMasslessComparison& scan, double current, double packet)
{
    return paintScan<QuantumDiracMasslessComparisonPlotWidget>(
        host, "massless", scan, current, packet, scan.firstAngleDegrees, scan.lastAngleDegrees,
        [](const auto& p) { return std::pair(p.incidenceAngleDegrees, p.masslessTransmission); });
}

// The four pages as the main window feeds them from the Klein settings.
std::vector<ScanView> mainWindowViews(QWidget& f, const KleinTunnelingConfig& config, double packet)
{
    const double angle = std::abs(QuantumKleinTunneling2D::incidenceAngleDegrees(config));
    return {
        angleView(f, buildKleinAngleScan(config, 0.0, 70.0, 71, 1.0), angle, packet),
        heightView(f, buildKleinHeightScan(config, 0.0, std::max(1.2 * config.barrierHeight, 4.0), 241, 1.0),
                   config.barrierHeight, packet),
        massView(f, buildKleinMassScan(config, 0.005, 1.4, 181, 1.0), config.restMass, packet),
        masslessView(f, buildDiracMasslessComparison(config, 0.8, 0.0, 70.0, 141, 1.0), std::min(angle, 70.0), packet),
    };
}

using KleinScanPlots = test::PlotTest;

TEST_F(KleinScanPlots, CurvesRunThroughTheRealScansAndTheMasslessOneStartsAtFullTransmission)
{
    for (const ScanView& view : mainWindowViews(host(), kleinAt(0.0), -1.0)) {
        ASSERT_GT(view.points.size(), 2u) << view.name;
        int probed = 0;
        for (std::size_t i = 0; i < view.points.size(); i += 7) {
            const Point& p = view.points[i];
            const QPointF at = view.at(p.value, p.transmission);
            // The summary stands over the panel and the regime names off the
            // curve: only the marker covers it, at the current value.
            if (!p.valid || std::abs(at.x() - view.x(view.current)) < 8.0)
                continue;
            EXPECT_TRUE(test::colourNear(view.image, at, kCurve)) << view.name << " at " << p.value;
            ++probed;
        }
        EXPECT_GT(probed, 5) << view.name;
        EXPECT_EQ(test::countColourOutside(view.image, view.panel.adjusted(-3, -3, 3, 3), kCurve, 10), 0) << view.name;
    }
    // Normal incidence of a massless particle passes the barrier completely,
    // on the angle page and on the comparison page.
    const KleinTunnelingConfig massless = kleinAt(0.0, 0.0);
    const std::vector<ScanView> views{
        angleView(host(), buildKleinAngleScan(massless, 0.0, 70.0, 71, 1.0), 0.0, -1.0),
        masslessView(host(), buildDiracMasslessComparison(kleinAt(0.0), 0.8, 0.0, 70.0, 141, 1.0), 0.0, -1.0)};
    for (const ScanView& view : views) {
        EXPECT_NEAR(view.points.front().transmission, 1.0, 1e-9) << view.name;
        EXPECT_TRUE(test::colourNear(view.image, view.at(0.3 * (view.last - view.first) / 70.0, 1.0) + QPointF(2, 1),
                                     kCurve, 1))
            << view.name << ": T = 1 at normal incidence is the panel's top";
    }
    // The massive control lies below the massless curve at normal incidence.
    const DiracMasslessComparison comparison = buildDiracMasslessComparison(kleinAt(0.0), 0.8, 0.0, 70.0, 141, 1.0);
    const ScanView control = views[1];
    const DiracMasslessComparisonPoint& p = comparison.points[2];
    EXPECT_LT(p.massiveTransmission, 0.9);
    EXPECT_TRUE(test::colourNear(control.image, control.at(p.incidenceAngleDegrees, p.massiveTransmission), kMassive));
    // Rounding can give a transmission above 1: the curve stays on the panel's top edge.
    KleinAngleScan over = buildKleinAngleScan(kleinAt(0.0), 0.0, 70.0, 71, 1.0);
    for (auto& point : over.points)
        point.transmission = 1.5;
    const ScanView high = angleView(host(), over, kNaN, -1.0);
    for (const double v : {15.0, 55.0}) {
        const int x = static_cast<int>(std::lround(high.x(v)));
        const QRect ink = test::colourBoundingBox(high.image, QRect(x - 2, high.panel.top() - 12, 5, 24), kCurve, 10);
        ASSERT_FALSE(ink.isEmpty()) << v;
        EXPECT_NEAR(0.5 * (ink.top() + ink.bottom()), high.y(1.0), 1.0) << "T = 1.5 at " << v;
    }
}

// Each scan page states its figures in the summary between its title and
// its panel: every field there, none over the panel or the title.
TEST_F(KleinScanPlots, ShowTheirSummaryWholeBetweenTheTitleAndThePanel)
{
    const KleinTunnelingConfig config = kleinAt(20.0);
    QuantumKleinAngleScanPlotWidget angle(&host());
    angle.setScan(buildKleinAngleScan(config, 0.0, 70.0, 71, 1.0), 20.0, -1.0);
    QuantumKleinHeightScanPlotWidget height(&host());
    height.setScan(buildKleinHeightScan(config, 0.0, 4.0, 81, 1.0), 3.2, -1.0);
    QuantumKleinMassScanPlotWidget mass(&host());
    mass.setScan(buildKleinMassScan(config, 0.005, 1.4, 61, 1.0), 0.05, -1.0);
    QuantumDiracMasslessComparisonPlotWidget massless(&host());
    massless.setScan(buildDiracMasslessComparison(config, 0.8, 0.0, 70.0, 71, 1.0), 20.0, -1.0);
    const auto layoutOf = [&](QWidget* plot) {
        return plot == &angle    ? angle.scanLayout()
               : plot == &height ? height.scanLayout()
               : plot == &mass   ? mass.scanLayout()
                                 : massless.scanLayout();
    };
    const std::vector<std::pair<QWidget*, QStringList>> pages{
        {&angle, {"|p|=1.5000", "V0=3.200", "scan=0..70 deg"}},
        {&height, {"E=1.5008", "width=3.000", "thresholds:"}},
        {&mass, {"fixed E=1.5008", "V0=3.200", "transition m*="}},
        {&massless, {"E=1.5008", "V0=3.200"}}};
    for (const QSize size : {QSize(420, 320), kSize, QSize(1400, 520)})
        for (const auto& [plot, fields] : pages) {
            SCOPED_TRACE(std::string(plot->metaObject()->className()) + " at " + std::to_string(size.width()));
            plot->resize(size);
            const QRect panel = plot::scanPanel(size, layoutOf(plot));
            QString summary;
            for (const test::PaintedText& t : test::paintedTexts(*plot, size))
                if (t.box.top() >= plot::kKleinPage.titleTop + plot::kKleinPage.titleHeight - 1 &&
                    t.box.bottom() <= panel.top() && t.shown == t.box)
                    summary += t.text + QLatin1Char(' ');
            for (const QString& field : fields)
                EXPECT_TRUE(summary.contains(field)) << field.toStdString() << " in \"" << summary.toStdString() << "\"";
        }
}

// A regime's name that a curve sends down its band never lands on another
// name: with a curve along the names' first row and three bands close
// together, each name finds a row of its own.
TEST_F(KleinScanPlots, RegimeNamesMovedOffACurveNeverLandOnAnotherName)
{
    for (double level = 0.8; level < 0.96; level += 0.005) {
        KleinHeightScan scan = buildKleinHeightScan(kleinAt(0.0), 0.0, 4.0, 81, 1.0);
        scan.lowerThreshold = 0.3;
        scan.kleinThreshold = 0.55;
        for (KleinHeightScanPoint& p : scan.points)
            p.transmission = level;
        QuantumKleinHeightScanPlotWidget& plot = makePlot<QuantumKleinHeightScanPlotWidget>();
        plot.setScan(scan, -1.0, -1.0);
        const std::vector<test::PaintedText> texts = test::paintedTexts(plot, kSize);
        std::vector<QRectF> names;
        for (const char* name : {"positive branch", "evanescent", "supercritical Klein"})
            names.push_back(test::paintedText(texts, name).box.adjusted(1, 3, -1, -4));
        for (std::size_t i = 0; i < names.size(); ++i)
            for (std::size_t j = i + 1; j < names.size(); ++j)
                EXPECT_FALSE(names[i].intersects(names[j])) << "names " << i << " and " << j << " at T = " << level;
    }
}

TEST_F(KleinScanPlots, ShowThePlaceholderWithoutARecordAndAfterReset)
{
    QuantumKleinAngleScanPlotWidget& angle = makePlot<QuantumKleinAngleScanPlotWidget>();
    QuantumKleinHeightScanPlotWidget& height = makePlot<QuantumKleinHeightScanPlotWidget>();
    QuantumKleinMassScanPlotWidget& mass = makePlot<QuantumKleinMassScanPlotWidget>();
    QuantumDiracMasslessComparisonPlotWidget& massless = makePlot<QuantumDiracMasslessComparisonPlotWidget>();
    const KleinTunnelingConfig config = kleinAt(20.0);
    angle.setScan(buildKleinAngleScan(config, 0.0, 70.0, 71, 1.0), 20.0, 0.5);
    height.setScan(buildKleinHeightScan(config, 0.0, 4.0, 241, 1.0), 3.2, 0.5);
    mass.setScan(buildKleinMassScan(config, 0.005, 1.4, 181, 1.0), 0.05, 0.5);
    massless.setScan(buildDiracMasslessComparison(config, 0.8, 0.0, 70.0, 141, 1.0), 20.0, 0.5);
    const std::vector<std::pair<QWidget*, std::function<void()>>> plots{
        {&angle, [&] { angle.reset(); }},
        {&height, [&] { height.reset(); }},
        {&mass, [&] { mass.reset(); }},
        {&massless, [&] { massless.reset(); }},
    };
    const QRect middle(200, 200, 320, 60);
    for (const auto& [plot, reset] : plots) {
        const std::string name = plot->metaObject()->className();
        const QImage drawn = test::grabPlot(*plot, kSize);
        EXPECT_GT(test::countColour(drawn, drawn.rect(), kCurve, 10), 100) << name;
        EXPECT_EQ(test::countColour(drawn, middle, kKleinPlaceholderText, 0), 0) << name;
        reset();
        const QImage empty = test::grabPlot(*plot, kSize);
        EXPECT_EQ(test::countColour(empty, empty.rect(), kCurve, 10), 0) << name;
        EXPECT_GT(test::countColour(empty, middle, kKleinPlaceholderText, 0), 0)
            << name << ": no placeholder after reset";
    }
}

TEST_F(KleinScanPlots, KeepTheirLaidOutScanUntilTheRecordValuesSizeOrFontChange)
{
    using Plot = QuantumKleinHeightScanPlotWidget;
    const KleinHeightScan nearCritical = buildKleinHeightScan(kleinAt(20.0), 0.0, 4.0, 241, 1.0);
    const KleinHeightScan heavier = buildKleinHeightScan(kleinAt(35.0, 0.3), 0.0, 5.0, 201, 1.0);
    Plot& plot = makePlot<Plot>();
    plot.setScan(nearCritical, 3.2, 0.5);
    QImage before = test::grabPlot(plot, kSize);
    const int layouts = plot.scanLayouts();
    EXPECT_EQ(test::grabPlot(plot, kSize), before);
    EXPECT_EQ(plot.scanLayouts(), layouts) << "an unchanged scan is laid out again";

    // After each change the plot must show what a fresh plot given the same
    // record, values, size and font shows: a kept scan that is not dropped
    // shows the old one.
    QFont larger = plot.font();
    larger.setPointSizeF(larger.pointSizeF() * 1.3);
    const std::vector<std::tuple<std::string, QSize, std::function<void(Plot&)>>> changes{
        {"current value", kSize, [&](Plot& p) { p.setScan(nearCritical, 1.0, 0.5); }},
        {"packet value", kSize, [&](Plot& p) { p.setScan(nearCritical, 1.0, 0.9); }},
        {"record", kSize, [&](Plot& p) { p.setScan(heavier, 1.0, 0.9); }},
        {"size", QSize(560, 420), [](Plot&) {}},
        {"font", QSize(560, 420), [&](Plot& p) { p.setFont(larger); }},
        {"reset", QSize(560, 420), [](Plot& p) { p.reset(); }},
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const auto& [name, size, change] = changes[i];
        change(plot);
        const QImage after = test::grabPlot(plot, size);
        Plot& fresh = makePlot<Plot>();
        fresh.setScan(nearCritical, 3.2, 0.5);
        for (std::size_t j = 0; j <= i; ++j)
            std::get<2>(changes[j])(fresh);
        EXPECT_EQ(after, test::grabPlot(fresh, size)) << "stale scan after a new " << name;
        EXPECT_NE(after, before) << "a new " << name << " changed nothing";
        before = after;
    }
}

TEST_F(KleinScanPlots, RegimeBandsAndThresholdsSitAtTheRecordsValues)
{
    // Band colours over the panel, RGBA blended on (5, 9, 15).
    const QColor positive(11, 22, 23), evanescent(30, 25, 19), klein(12, 20, 33), window(12, 21, 31);
    const auto band = [](const ScanView& view, double a, double b, const QColor& colour) {
        // Low in the panel, clear of the texts, between two grid lines.
        return test::colourNear(view.image, QPointF(view.x(0.5 * (a + b)), view.y(0.1)), colour, 1, 4);
    };
    // A dashed line 1.4 or 1.5 wide at a whole-pixel x covers the two
    // columns beside it at about 70 %.
    const auto dashedAt = [](const ScanView& view, double v) {
        const int x = static_cast<int>(std::lround(view.x(v)));
        return test::countColour(view.image, QRect(x - 1, view.panel.top() + 60, 2, view.panel.height() - 80),
                                 QColor(186, 152, 74), 30);
    };

    const KleinTunnelingConfig config = kleinAt(0.0);
    const ScanView height = heightView(host(), buildKleinHeightScan(config, 0.0, 4.0, 241, 1.0), -1.0, -1.0);
    const KleinHeightScan heights = buildKleinHeightScan(config, 0.0, 4.0, 241, 1.0);
    const double lower = heights.lowerThreshold;
    const double upper = heights.kleinThreshold;
    EXPECT_TRUE(band(height, 0.0, lower, positive)) << "positive branch below E - mc^2";
    EXPECT_TRUE(band(height, lower, upper, evanescent)) << "evanescent between the thresholds";
    EXPECT_TRUE(band(height, upper, 4.0, klein)) << "supercritical Klein above E + mc^2";
    EXPECT_FALSE(band(height, upper, 4.0, positive));
    EXPECT_GT(dashedAt(height, lower), 20);
    EXPECT_GT(dashedAt(height, upper), 20);
    EXPECT_EQ(dashedAt(height, 0.5 * (lower + upper)), 0);
    // Each regime's name is centred over its band, however narrow or inset,
    // and stands inside the panel, below its top.
    auto& named = makePlot<QuantumKleinHeightScanPlotWidget>();
    named.setScan(heights, -1.0, -1.0);
    const std::vector<test::PaintedText> texts = test::paintedTexts(named, kSize);
    for (const auto& [name, a, b] : {std::tuple("positive branch", 0.0, lower), std::tuple("evanescent", lower, upper),
                                     std::tuple("supercritical Klein", upper, 4.0)}) {
        const QRectF box = test::paintedText(texts, name).box;
        EXPECT_NEAR(box.center().x(), 0.5 * (height.x(a) + height.x(b)), 1.5) << name;
        EXPECT_TRUE(QRectF(height.panel).contains(box)) << name << " outside the panel";
    }
    // A regime the scan does not reach keeps an empty band at its end, unnamed:
    // no name's ink in the band names' line beside that end.
    for (const auto& [from, to, edge] : {std::tuple(upper + 0.02, 4.0, 0), std::tuple(0.0, lower - 0.02, 1)}) {
        const ScanView cut = heightView(host(), buildKleinHeightScan(config, from, to, 241, 1.0), -1.0, -1.0);
        const int left = edge == 0 ? cut.panel.left() + 2 : cut.panel.right() - 30;
        const QRect line(left, cut.panel.top() + named.scanLayout().bandNameDrop, 29, 20);
        EXPECT_EQ(test::countColour(cut.image, line, QColor(plot::kInnerPanel.scanNumbers)), 0)
            << "a name at the scan's " << (edge == 0 ? "start" : "end");
    }

    // A barrier below the energy's reach of the transition: positive branch
    // below m*, the gap opened above it.
    const KleinMassScan lowBarrier = buildKleinMassScan(kleinAt(0.0, 0.05, 2.5), 0.005, 1.4, 181, 1.0);
    const ScanView low = massView(host(), lowBarrier, -1.0, -1.0);
    const double transition = lowBarrier.transitionMass;
    ASSERT_GT(transition, 0.2);
    ASSERT_LT(transition, 1.2);
    EXPECT_TRUE(band(low, 0.005, transition, klein)) << "V0 > E: the low masses tunnel through the Klein branch";
    EXPECT_TRUE(band(low, transition, 1.4, evanescent));
    EXPECT_GT(dashedAt(low, transition), 20);
    // At the guided experiment's barrier m* lies past the scan: one band, no line.
    const KleinMassScan defaults = buildKleinMassScan(config, 0.005, 1.4, 181, 1.0);
    ASSERT_GT(defaults.transitionMass, 1.4);
    const ScanView whole = massView(host(), defaults, -1.0, -1.0);
    EXPECT_TRUE(band(whole, 1.3, 1.4, klein));
    EXPECT_EQ(dashedAt(whole, 1.0), 0);
    // Thresholds only inside the scan: m* just past its end would stand in
    // the right margin, and a lower threshold exactly at the first height
    // is drawn on the panel's left edge.
    const KleinMassScan past = buildKleinMassScan(kleinAt(0.0, 0.05, 2.92), 0.005, 1.4, 181, 1.0);
    ASSERT_GT(past.transitionMass, 1.4);
    const ScanView beyond = massView(host(), past, -1.0, -1.0);
    ASSERT_LT(beyond.x(past.transitionMass), kSize.width() - 3);
    EXPECT_EQ(dashedAt(beyond, past.transitionMass), 0) << "no line in the margin";
    const ScanView fromLower = heightView(host(), buildKleinHeightScan(config, lower, 4.0, 241, 1.0), -1.0, -1.0);
    EXPECT_GT(dashedAt(fromLower, lower), 20);
    const ScanView pastLower = heightView(host(), buildKleinHeightScan(config, lower + 0.02, 4.0, 241, 1.0), -1, -1);
    EXPECT_EQ(dashedAt(pastLower, lower), 0) << "the lower threshold just left of the scan stands in the margin";
    // Thresholds exactly on the other ends: m* and E + mc^2 on the scan's
    // last value stand on the panel's right edge, m* on its first on the left.
    const KleinTunnelingConfig lowConfig = kleinAt(0.0, 0.05, 2.5);
    for (const auto& [view, value] :
         {std::pair(massView(host(), buildKleinMassScan(lowConfig, 0.005, transition, 181, 1.0), -1, -1), transition),
          std::pair(massView(host(), buildKleinMassScan(lowConfig, transition, 1.4, 181, 1.0), -1, -1), transition),
          std::pair(heightView(host(), buildKleinHeightScan(config, 0.0, upper, 241, 1.0), -1, -1), upper)})
        EXPECT_GT(dashedAt(view, value), 20) << view.name << " threshold at " << value << " on the scan's end";
    // Below the barrier height the low-mass band is the positive branch.
    const ScanView above = massView(host(), buildKleinMassScan(kleinAt(0.0, 0.05, 0.6), 0.005, 0.5, 181, 1.0), -1, -1);
    EXPECT_TRUE(band(above, 0.005, 0.05, positive));

    const ScanView chirality =
        masslessView(host(), buildDiracMasslessComparison(config, 0.8, 0.0, 70.0, 141, 1.0), -1.0, -1.0);
    EXPECT_TRUE(band(chirality, 0.0, 12.0, window)) << "the chirality window covers 0 to 12 degrees";
    EXPECT_FALSE(band(chirality, 12.0, 24.0, window));
}

TEST_F(KleinScanPlots, MarkTheCurrentValueOnTheCurveWithThePacketBesideIt)
{
    const KleinTunnelingConfig config = kleinAt(-27.5, 0.05, 2.8); // the page is given the angle's magnitude
    for (const double packet : {0.35, 1.03, -1.0, 1.2, 1.05, std::nextafter(1.05, 2.0), 0.0}) {
        for (const ScanView& view : mainWindowViews(host(), config, packet)) {
            const std::string where = view.name + ", packet " + std::to_string(packet);
            ASSERT_TRUE(view.first <= view.current && view.current <= view.last) << where;
            const double x = view.x(view.current);
            // The discs are 5 wide; the dashed line is not beside its pixel column.
            const QPointF side(3.0, 0.0);
            EXPECT_TRUE(test::colourNear(view.image, view.at(view.current, view.transmissionAt(view.current)) + side,
                                         kCurrent, 1, 30))
                << where;
            const bool dot = packet >= 0.0 && packet <= 1.05;
            EXPECT_EQ(test::colourNear(view.image, QPointF(x, view.y(packet)) + side, kPacket, 1, 30), dot) << where;
            EXPECT_EQ(test::countColour(view.image, view.image.rect(), kPacket, 30) > 0, dot) << where;
        }
    }
    // Outside the scanned range: neither the line nor the dots.
    for (const ScanView& view : {angleView(host(), buildKleinAngleScan(config, 0.0, 20.0, 41, 1.0), 27.5, 0.4),
                                 heightView(host(), buildKleinHeightScan(config, 0.0, 4.0, 241, 1.0), 4.5, 0.4),
                                 massView(host(), buildKleinMassScan(config, 0.005, 1.4, 181, 1.0), kNaN, 0.4)}) {
        EXPECT_EQ(test::countColour(view.image, view.panel, kPacket, 30), 0) << view.name;
        EXPECT_EQ(test::countColour(view.image, view.panel.adjusted(0, 60, 0, 0), kCurrent, 30), 0) << view.name;
    }
    // A value 3 % of the range past either end would land beside the panel: the
    // page is then painted as with no value at all. Exactly at an end it is marked.
    const KleinAngleScan angles = buildKleinAngleScan(config, 5.0, 20.0, 31, 1.0);
    const KleinHeightScan heights = buildKleinHeightScan(config, 0.5, 4.0, 36, 1.0);
    for (const double f : {-0.03, 1.03, 0.0, 1.0}) {
        const std::string where = "at " + std::to_string(f) + " of the range";
        const std::vector<std::pair<ScanView, ScanView>> pairs{
            {angleView(host(), angles, 5.0 + 15.0 * f, 0.4), angleView(host(), angles, kNaN, 0.4)},
            {heightView(host(), heights, 0.5 + 3.5 * f, 0.4), heightView(host(), heights, kNaN, 0.4)}};
        for (const auto& [view, unmarked] : pairs) {
            const bool inside = f >= 0.0 && f <= 1.0;
            EXPECT_EQ(view.image == unmarked.image, !inside) << view.name << " " << where;
            if (inside) {
                EXPECT_TRUE(test::colourNear(view.image,
                                             view.at(view.current, view.transmissionAt(view.current)) + QPointF(3, 0),
                                             kCurrent, 1, 30))
                    << view.name << " " << where;
            }
        }
    }
}

// The angle page labels every multiple of ten degrees up to 70 that lies in
// the scan, under its grid line, and no other.
TEST_F(KleinScanPlots, AngleGridIsLabelledEveryTenDegreesInsideTheScan)
{
    for (const auto& [first, last] : {std::pair(0.0, 70.0), std::pair(5.0, 45.0), std::pair(12.0, 18.0),
                                      std::pair(20.0, 80.0), std::pair(30.0, 30.5)}) {
        SCOPED_TRACE(std::to_string(first) + " .. " + std::to_string(last));
        const ScanView view = angleView(host(), buildKleinAngleScan(kleinAt(0.0), first, last, 41, 1.0), kNaN, -1.0);
        QuantumKleinAngleScanPlotWidget plot(&host());
        plot.setScan(buildKleinAngleScan(kleinAt(0.0), first, last, 41, 1.0), kNaN, -1.0);
        std::vector<std::pair<int, double>> labels; // degrees, centre of the painted text
        for (const test::PaintedText& t : test::paintedTexts(plot, kSize)) {
            const QStringList words = t.text.split(QLatin1Char(' '));
            if (words.size() == 2 && words[1] == QLatin1String("deg"))
                labels.emplace_back(words[0].toInt(), t.box.center().x());
        }
        std::vector<int> expected;
        for (int a = 10 * static_cast<int>(std::ceil(first / 10.0)); a <= std::min(last, 70.0); a += 10)
            expected.push_back(a);
        ASSERT_EQ(labels.size(), expected.size());
        for (std::size_t k = 0; k < expected.size(); ++k) {
            EXPECT_EQ(labels[k].first, expected[k]);
            EXPECT_NEAR(labels[k].second, view.x(expected[k]), 1.5) << expected[k] << " deg";
        }
    }
}

// The height, mass and massless pages number their value axis at round
// values, one round step apart and each under the line of its value, as many
// as the panel's width leaves room for, at widths from a narrow dock to a
// wide screen; left of the panel the transmissions 0, 0.2, ..., 1 stand level
// with their heights.
TEST_F(KleinScanPlots, ValueAxesAreNumberedAtRoundValuesUnderTheirLines)
{
    const KleinTunnelingConfig config = kleinAt(0.0);
    QuantumKleinHeightScanPlotWidget height(&host());
    height.setScan(buildKleinHeightScan(config, 0.0, 6.0, 81, 1.0), kNaN, -1.0);
    QuantumKleinMassScanPlotWidget mass(&host());
    mass.setScan(buildKleinMassScan(config, 0.005, 1.4, 61, 1.0), kNaN, -1.0);
    QuantumDiracMasslessComparisonPlotWidget massless(&host());
    massless.setScan(buildDiracMasslessComparison(config, 0.8, 0.0, 70.0, 71, 1.0), kNaN, -1.0);
    for (const QSize size : {QSize(420, 240), QSize(560, 300), kSize, QSize(1400, 520)}) {
        for (const auto& [plot, first, last] : {std::tuple<QWidget*, double, double>{&height, 0.0, 6.0},
                                                {&mass, 0.0, 1.4},
                                                {&massless, 0.0, 70.0}}) {
            SCOPED_TRACE(std::string(plot->metaObject()->className()) + " at " + std::to_string(size.width()));
            plot->resize(size);
            const QRect panel = plot::scanPanel(size, static_cast<const plot::ScanLayout&>(
                                                          plot == &height   ? height.scanLayout()
                                                          : plot == &mass ? mass.scanLayout()
                                                                          : massless.scanLayout()));
            const std::vector<test::PaintedText> texts = test::paintedTexts(*plot, size);
            const test::AxisReading values = test::readAxis(texts, panel, test::NumbersAt::Under);
            const test::AxisReading transmissions = test::readAxis(texts, panel, test::NumbersAt::Left);
            EXPECT_FALSE(std::isnan(test::roundStep(values))) << "numbers one round step apart";
            EXPECT_GE(values.marks.size(), size.width() >= 700 ? 5u : 3u);
            for (const auto& [x, value] : values.marks)
                EXPECT_NEAR(x, panel.left() + panel.width() * (value - first) / (last - first), 1.5) << value;
            ASSERT_EQ(transmissions.marks.size(), 6u);
            for (const auto& [y, t] : transmissions.marks)
                EXPECT_NEAR(y, panel.bottom() - panel.height() * t, 2.5) << t;
        }
    }
}

// The mass page as a class reads it from a guide: at every mass the guide
// names, the curve shows (no text or patch over it), and the axis runs from
// zero mass on round masses past the heaviest one, at the sizes and font
// scales the page is shown at.
TEST_F(KleinScanPlots, MassCurveStaysReadableAtEveryNamedMassOnRoundMassesFromZero)
{
    // The guided experiment's packet: m = 0.4 at E = 1.5013 against a
    // barrier 2.0 high and 9 wide.
    KleinTunnelingConfig config = kleinAt(0.0, 0.4, 2.0);
    config.momentumX = 1.447;
    config.barrierWidth = 9.0;
    const KleinMassScan scan = buildKleinMassScan(config, 0.005, 1.4, 181, 1.0);
    ASSERT_TRUE(scan.valid);
    std::vector<plot::ScanPoint> points;
    for (const KleinMassScanPoint& p : scan.points)
        points.push_back({p.valid, p.restMass, p.transmission});
    const std::vector<double> named{0.005, 0.05, 0.1, 0.2, 0.45, 0.49, 0.55};
    const QFont base = host().font();
    for (const double scale : {1.0, 1.25, 1.5})
        for (const QSize size : {QSize(420, 300), QSize(560, 250), QSize(720, 470), QSize(1100, 330), QSize(1500, 620)}) {
            QuantumKleinMassScanPlotWidget& plot = makePlot<QuantumKleinMassScanPlotWidget>();
            QFont font = base;
            font.setPointSizeF(base.pointSizeF() * scale);
            plot.setFont(font);
            plot.setScan(scan, config.restMass, -1.0);
            const QImage image = test::grabPlot(plot, size);
            const QRect panel = plot::scanPanel(size, plot.scanLayout());
            const std::vector<test::PaintedText> texts = test::paintedTexts(plot, size);
            const test::AxisReading masses = test::readAxis(texts, panel, test::NumbersAt::Under);
            SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()) + " at " +
                         std::to_string(scale));
            ASSERT_GE(masses.marks.size(), 3u);
            EXPECT_FALSE(std::isnan(test::roundStep(masses))) << "masses one round step apart";
            EXPECT_NEAR(masses.pixelOf(0.0), panel.left(), 1.5) << "the axis starts at zero mass";
            for (const double m : named) {
                const double t = plot::scanTransmissionAt(points, m);
                // Where a class looks for the mass: read through the numbers.
                const QPointF at(std::max(panel.left() + 1.5, masses.pixelOf(m)),
                                 panel.bottom() - panel.height() * std::min(std::max(t, 0.0), 1.0));
                EXPECT_TRUE(test::colourNear(image, at, kCurve, 2)) << "the curve is hidden at m = " << m;
                for (const test::PaintedText& text : texts)
                    EXPECT_FALSE(text.box.adjusted(-1, -1, 1, 1).contains(at))
                        << "\"" << text.text.toStdString() << "\" over the curve at m = " << m;
            }
            double heaviest = 0.0;
            for (const auto& mark : masses.marks)
                heaviest = std::max(heaviest, mark.second);
            EXPECT_GE(heaviest, named.back());
        }
}

// A regime's name goes down its band to a row between the curves where
// one is left: on the massless page the chirality window's name finds room
// between the massless curve falling from 1 and the massive one below it.
TEST_F(KleinScanPlots, RegimeNamesStandBetweenTheCurvesWhereThereIsRoom)
{
    const DiracMasslessComparison scan = buildDiracMasslessComparison(kleinAt(0.0), 0.8, 0.0, 70.0, 141, 1.0);
    for (const QSize size : {QSize(700, 250), QSize(720, 470), QSize(1100, 330)}) {
        QuantumDiracMasslessComparisonPlotWidget& plot = makePlot<QuantumDiracMasslessComparisonPlotWidget>();
        plot.setScan(scan, 0.0, -1.0);
        plot.resize(size);
        const QRect panel = plot::scanPanel(size, plot.scanLayout());
        const QRectF name = test::paintedText(test::paintedTexts(plot, size), "near-normal chirality window").box;
        const auto at = [&](double angle, double t) {
            return QPointF(panel.left() + panel.width() * angle / 70.0, panel.bottom() - panel.height() * t);
        };
        for (std::size_t i = 1; i < scan.points.size(); ++i) {
            const DiracMasslessComparisonPoint& a = scan.points[i - 1];
            const DiracMasslessComparisonPoint& b = scan.points[i];
            for (double f = 0.0; f < 1.0; f += 0.05) {
                const double angle = a.incidenceAngleDegrees + f * (b.incidenceAngleDegrees - a.incidenceAngleDegrees);
                for (const auto& [ta, tb] : {std::pair(a.masslessTransmission, b.masslessTransmission),
                                             std::pair(a.massiveTransmission, b.massiveTransmission)}) {
                    const QPointF point = at(angle, ta + f * (tb - ta));
                    EXPECT_FALSE(name.contains(point)) << size.width() << " x " << size.height() << ": the name hides "
                                                       << "a curve at " << angle << " deg";
                }
            }
        }
    }
}

TEST_F(KleinScanPlots, AngleMarkerSkipsPairsWithAnUnsolvedEnd)
{
    // An unsolved point next to the current angle carries no transmission:
    // the marker interpolates over the next pair of solved points, as on the
    // sibling pages, instead of through the unsolved value.
    KleinAngleScan scan = buildKleinAngleScan(kleinAt(0.0), 0.0, 70.0, 71, 1.0);
    scan.points[41].valid = false;
    scan.points[41].transmission = 0.0;
    const ScanView view = angleView(host(), scan, 40.5, -1.0);
    const double expected = view.transmissionAt(40.5);
    const double through = 0.5 * scan.points[40].transmission;
    ASSERT_GT(std::abs(view.y(expected) - view.y(through)), 20.0);
    EXPECT_TRUE(test::colourNear(view.image, view.at(40.5, expected) + QPointF(3, 0), kCurrent, 1, 30));
    EXPECT_FALSE(test::colourNear(view.image, view.at(40.5, through) + QPointF(3, 0), kCurrent, 2, 30));
    // The curve breaks at the unsolved point.
    EXPECT_FALSE(test::colourNear(view.image, view.at(41.0, 0.0), kCurve, 2));
}

} // namespace

namespace test {

// The awkward states of a scan page: reset, records with one point, none
// solved, transmissions that are not finite, and ranges that are empty,
// reversed, not finite or extreme (setRange writes both ends and the
// record's thresholds).
template <typename Widget, typename Scan>
std::vector<PlotFeed<Widget>> scanFeeds(const Scan& real, void (*setRange)(Scan&, double, double))
{
    std::vector<PlotFeed<Widget>> feeds{{"reset", [](Widget& w) { w.reset(); }},
                                        {"real", [real](Widget& w) { w.setScan(real, 10.0, 0.5); }}};
    Scan one = real;
    one.points.resize(1);
    Scan unsolved = real;
    for (auto& p : unsolved.points)
        p.valid = false;
    Scan notFinite = real;
    for (std::size_t i = 0; i < notFinite.points.size(); i += 3) {
        const double spoilt = i % 2 == 0 ? kNaN : -kInf;
        if constexpr (std::is_same_v<Scan, DiracMasslessComparison>)
            notFinite.points[i].masslessTransmission = notFinite.points[i].massiveTransmission = spoilt;
        else
            notFinite.points[i].transmission = spoilt;
    }
    for (const auto& [name, scan] : std::vector<std::pair<std::string, Scan>>{
             {"one point", one}, {"none solved", unsolved}, {"not finite", notFinite}})
        feeds.push_back({name, [scan = scan](Widget& w) { w.setScan(scan, 10.0, 1.05); }});
    for (const auto& [first, last] : std::vector<std::pair<double, double>>{
             {5.0, 5.0}, {6.0, -3.0}, {kNaN, 1.0}, {-kInf, kInf}, {-1e300, 1e300}, {0.0, 1e-300}}) {
        Scan scan = real;
        setRange(scan, first, last);
        PlotFeed<Widget> ranged{"range " + std::to_string(first) + " to " + std::to_string(last),
                                [scan, first = first](Widget& w) { w.setScan(scan, first, kInf); }};
        // An axis of no width, or of 1e300, puts every grid value in one place.
        const bool legible = !(std::abs(last - first) < 1e-12 || std::abs(first) > 1e200);
        feeds.push_back(legible ? ranged : beyondLegibility(ranged));
    }
    return feeds;
}

template <>
struct PlotFeeds<QuantumKleinAngleScanPlotWidget> {
    static std::vector<PlotFeed<QuantumKleinAngleScanPlotWidget>> all()
    {
        return scanFeeds<QuantumKleinAngleScanPlotWidget>(
            buildKleinAngleScan(kleinAt(0.0), 0.0, 70.0, 71, 1.0), +[](KleinAngleScan& s, double a, double b) {
                s.firstAngleDegrees = a;
                s.lastAngleDegrees = b;
            });
    }
};

template <>
struct PlotFeeds<QuantumKleinHeightScanPlotWidget> {
    static std::vector<PlotFeed<QuantumKleinHeightScanPlotWidget>> all()
    {
        KleinHeightScan real = buildKleinHeightScan(kleinAt(0.0), 0.0, 4.0, 241, 1.0);
        auto feeds = scanFeeds<QuantumKleinHeightScanPlotWidget>(
            real, +[](KleinHeightScan& s, double a, double b) {
                s.firstHeight = a;
                s.lastHeight = b;
                s.lowerThreshold = b;
                s.kleinThreshold = a;
            });
        // An evanescent band a tenth as wide as its neighbours' names, as the guided experiment has it.
        real.lowerThreshold = 1.4508;
        real.kleinThreshold = 1.5508;
        feeds.push_back(
            {"narrow evanescent band", [real](QuantumKleinHeightScanPlotWidget& w) { w.setScan(real, 3.2, 0.5); }});
        return feeds;
    }
};

template <>
struct PlotFeeds<QuantumKleinMassScanPlotWidget> {
    static std::vector<PlotFeed<QuantumKleinMassScanPlotWidget>> all()
    {
        KleinMassScan real = buildKleinMassScan(kleinAt(0.0), 0.005, 1.4, 181, 1.0);
        auto feeds = scanFeeds<QuantumKleinMassScanPlotWidget>(
            real, +[](KleinMassScan& s, double a, double b) {
                s.firstMass = a;
                s.lastMass = b;
                s.transitionMass = b;
                s.energy = a;
            });
        // A gap that opens just before the scan's end names its narrow band inside the panel.
        real.transitionMass = 1.38;
        feeds.push_back({"gap at the end", [real](QuantumKleinMassScanPlotWidget& w) { w.setScan(real, 1.0, 0.5); }});
        return feeds;
    }
};

template <>
struct PlotFeeds<QuantumDiracMasslessComparisonPlotWidget> {
    static std::vector<PlotFeed<QuantumDiracMasslessComparisonPlotWidget>> all()
    {
        return scanFeeds<QuantumDiracMasslessComparisonPlotWidget>(
            buildDiracMasslessComparison(kleinAt(0.0), 0.8, 0.0, 70.0, 141, 1.0),
            +[](DiracMasslessComparison& s, double a, double b) {
                s.firstAngleDegrees = a;
                s.lastAngleDegrees = b;
            });
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(KleinAngleScan, PlotRobustness, QuantumKleinAngleScanPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(KleinAngleScan, PlotLegibility, QuantumKleinAngleScanPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(KleinHeightScan, PlotRobustness, QuantumKleinHeightScanPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(KleinHeightScan, PlotLegibility, QuantumKleinHeightScanPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(KleinMassScan, PlotRobustness, QuantumKleinMassScanPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(KleinMassScan, PlotLegibility, QuantumKleinMassScanPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(DiracMassless, PlotRobustness, QuantumDiracMasslessComparisonPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(DiracMassless, PlotLegibility, QuantumDiracMasslessComparisonPlotWidget);

} // namespace test
} // namespace vxo

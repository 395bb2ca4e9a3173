#include "core/Numeric.h"
#include "plots/PlotPalette.h"
#include "plots/QuantumBlochPlotWidget.h"
#include "plots/QuantumDoubleWellPlotWidget.h"
#include "plots/QuantumDrivePlotWidget.h"
#include "plots/QuantumQuenchPlotWidget.h"
#include "plots/QuantumRabiPlotWidget.h"

#include "HistoryPlotProbes.h"
#include "PaintedTexts.h"
#include "PlotRobustness.h"
#include "PlotTestSupport.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>

#include <cmath>
#include <vector>

namespace vxo {
namespace {

using test::colourNear;
using test::countColour;
using test::historyOf;
using test::markedRows;
using test::panelPoint;

const QColor kPlaceholderText(plot::kSinglePanel.placeholder);

bool showsPlaceholder(QWidget& plot, const QRect& where, const QSize& size = QSize(420, 300))
{
    return countColour(test::grabPlot(plot, size), where, kPlaceholderText, 0) > 0;
}

using QuenchPlot = test::PlotTest;

TEST_F(QuenchPlot, WidthAndEnergyOnTheirOwnScalesWithTheQuenchMarked)
{
    auto& plot = makePlot<QuantumQuenchPlotWidget>();
    const QRectF p = plot::panelRect(QSize(420, 300), QuantumQuenchPlotWidget::layout());
    const QRect middle(130, 110, 200, 60);
    EXPECT_TRUE(showsPlaceholder(plot, middle));
    // sigmaX from 0.05 over a span padded a tenth each way (not below 0),
    // <H> from 5 to 3 on [2.8, 5.2]; a quench at 3 keeps the axis to 7 while
    // the history ends at 1, and a history to 14 stretches it. A quench at
    // t = 0 is marked but gets no time of its own: the axis runs to 1.
    const QColor marker(plot::kMarkers.quench);
    struct Case {
        double quench, last, tMax, span;
    };
    for (const auto& [quench, last, tMax, span] :
         {Case{3.0, 1.0, 7.0, 1.0}, Case{3.0, 14.0, 14.0, 0.4}, Case{0.0, 0.5, 1.0, 1.0}}) {
        plot.setSamples(historyOf(21, 0.0, last / 20.0, [last = last, span = span](ObservableSample& s, double t) {
            s.sigmaX = 0.05 + span * t / last;
            s.totalEnergy = 5.0 - 2.0 * t / last;
        }));
        plot.setMarkerTime(quench);
        const QImage image = test::grabPlot(plot, QSize(420, 300));
        for (const double u : {0.2, 0.55, 0.9}) {
            const double t = u * last;
            const double sLo = std::max(0.05 - 0.1 * span, 0.0);
            const double sHi = 0.05 + 1.1 * span;
            EXPECT_TRUE(
                colourNear(image, panelPoint(p, 0, tMax, sLo, sHi, t, 0.05 + span * u), QColor(plot::kCurves.leading)))
                << t;
            EXPECT_TRUE(colourNear(image, panelPoint(p, 0, tMax, 2.8, 5.2, t, 5 - 2 * u), QColor(plot::kCurves.energy)))
                << t;
        }
        const double mx = p.left() + p.width() * quench / tMax;
        EXPECT_GT(markedRows(image, mx, p.top(), p.bottom()), 0.6) << "quench mark, axis to " << tMax;
        // A thin dashed rule: on a dash, its colour summed across a row (below its
        // label, away from the orange energy curve) is 1.5 px.
        const double energyY = panelPoint(p, 0, tMax, 2.8, 5.2, quench, 5 - 2 * std::min(quench / last, 1.0)).y();
        const double widest = test::widestRuleInk(image, int(mx), 3, int(p.top()) + 44, int(p.bottom()) - 3,
                                                  QColor(plot::kSinglePanel.background), marker,
                                                  [&](int y) { return std::abs(y - energyY) < 8; });
        EXPECT_NEAR(widest, 1.5, 0.35) << "quench rule's width, axis to " << tMax;
        // Its label where the paint put it: inside the panel, after the rule, in the rule's colour.
        const QRectF label = test::paintedText(test::paintedTexts(plot, QSize(420, 300)), "quench").shown;
        EXPECT_TRUE(p.contains(label) && label.left() > mx) << "its label, axis to " << tMax;
        EXPECT_GT(countColour(image, label.toAlignedRect(), marker, 0), 0) << "its label";
        EXPECT_EQ(countColour(image, middle, kPlaceholderText, 0), 0);
    }
    plot.clear();
    EXPECT_TRUE(showsPlaceholder(plot, middle));
    EXPECT_EQ(countColour(test::grabPlot(plot, QSize(420, 300)), QRect(0, 0, 420, 300), marker, 10), 0);
    // A quench before the run starts has no place on the axis, whether cleared
    // or set: on an axis to 14 both would stand left of the panel, in view.
    plot.setSamples(historyOf(21, 0.0, 0.7, [](ObservableSample& s, double t) { s.sigmaX = 0.3 + 0.1 * t; }));
    EXPECT_EQ(countColour(test::grabPlot(plot, QSize(420, 300)), QRect(0, 0, 420, 300), marker, 10), 0) << "cleared";
    plot.setMarkerTime(-0.35);
    EXPECT_EQ(countColour(test::grabPlot(plot, QSize(420, 300)), QRect(0, 0, 420, 300), marker, 10), 0) << "set";
    // A constant energy stands mid-panel, its scale padded alike above and
    // below: on a tall panel, where a pad off by a hundredth shows.
    plot.setSamples(historyOf(21, 0.0, 0.5, [](ObservableSample& s, double t) {
        s.sigmaX = 0.3 + 0.1 * t;
        s.totalEnergy = 2.0;
    }));
    const QSize tall(420, 1100);
    const QRectF tp = plot::panelRect(tall, QuantumQuenchPlotWidget::layout());
    const QImage flat = test::grabPlot(plot, tall);
    const int column = int(tp.left() + 0.1 * tp.width()); // where sigmaX runs low, clear of the middle
    const test::InkCentre line = test::inkCentre(
        flat, QRect(column, int(tp.top()), 1, int(tp.bottom()) - int(tp.top())), QColor(plot::kCurves.energy),
        [](const QPoint&) { return QColor(plot::kSinglePanel.background); });
    ASSERT_GT(line.ink, 0.5) << "the flat energy crosses the column";
    EXPECT_NEAR(line.centre.y(), tp.center().y(), 0.5);
}

// A history that does not change has no span to scale: a constant width
// stands where the same width does on a history rising from zero to one,
// and a constant energy mid-panel, however large its value.
TEST_F(QuenchPlot, ConstantHistoriesStandOnAScaleOfTheirOwn)
{
    auto& plot = makePlot<QuantumQuenchPlotWidget>();
    const QSize size(420, 600);
    const QRectF p = plot::panelRect(size, QuantumQuenchPlotWidget::layout());
    const auto inkAt = [&](double t, const QColor& colour) {
        const QImage image = test::grabPlot(plot, size);
        const int column = int(std::lround(p.left() + p.width() * t));
        return test::inkCentre(image, QRect(column, int(p.top()), 1, int(p.bottom()) - int(p.top())), colour,
                               [](const QPoint&) { return QColor(plot::kSinglePanel.background); });
    };
    const QColor width(plot::kCurves.leading);
    // Samples over t in [0, 1]: the axis runs to 1 with no quench marked.
    plot.setSamples(historyOf(21, 0.0, 0.05, [](ObservableSample& s, double t) {
        s.sigmaX = t;
        s.totalEnergy = 40.0;
    }));
    // A width between two grid lines of the scale, whose ink no line joins.
    const test::InkCentre rising = inkAt(0.45, width);
    ASSERT_GT(rising.ink, 0.5) << "the rising width crosses t = 0.45";
    for (const double energy : {2.0, 3e9}) {
        plot.setSamples(historyOf(21, 0.0, 0.05, [energy](ObservableSample& s, double) {
            s.sigmaX = 0.45;
            s.totalEnergy = energy;
        }));
        const test::InkCentre constant = inkAt(0.7, width);
        ASSERT_GT(constant.ink, 0.5) << "the constant width is drawn";
        EXPECT_NEAR(constant.centre.y(), rising.centre.y(), 1.0) << "constant width 0.45";
        const test::InkCentre flat = inkAt(0.7, QColor(plot::kCurves.energy));
        ASSERT_GT(flat.ink, 0.5) << "the constant energy " << energy << " is drawn";
        EXPECT_NEAR(flat.centre.y(), p.center().y(), 0.5) << "constant energy " << energy;
    }
}

using HistoryPageLayout = test::PlotTest;

// The time caption of a single-panel history sits under the panel, as far
// below it on every page (a line further on the pages whose times are
// numbered under the panel), and inside the widget, and the panel takes the
// height: under the caption there is less than two lines of blank.
TEST_F(HistoryPageLayout, TheTimeCaptionSitsUnderThePanelAtTheFootOfThePage)
{
    struct Page {
        const char* name;
        QWidget* plot;
        plot::PanelLayout layout;
        const char* firstLegendEntry;
        bool numberedTimes;
    };
    const std::vector<Page> pages{
        {"quench", &makePlot<QuantumQuenchPlotWidget>(), QuantumQuenchPlotWidget::layout(), "sigmaX", true},
        {"drive", &makePlot<QuantumDrivePlotWidget>(), QuantumDrivePlotWidget::layout(), "<x>", true},
        {"double well", &makePlot<QuantumDoubleWellPlotWidget>(), QuantumDoubleWellPlotWidget::layout(), "P_left",
         true},
        {"Rabi", &makePlot<QuantumRabiPlotWidget>(), QuantumRabiPlotWidget::layout(), "P(state 1)", true}};
    for (const QSize& size : {QSize(430, 310), QSize(610, 470)}) {
        double firstDrop = -1.0;  // how far under its panel the first page's caption starts
        double firstInset = -1.0; // how far into its panel the first page's legend starts
        for (const Page& page : pages) {
            const QRectF panel = plot::panelRect(size, page.layout);
            const std::vector<test::PaintedText> texts = test::paintedTexts(*page.plot, size);
            const double inset =
                test::paintedText(texts, QString::fromLatin1(page.firstLegendEntry)).box.left() - panel.left();
            firstInset = firstInset < 0.0 ? inset : firstInset;
            EXPECT_NEAR(inset, firstInset, 0.5) << page.name << ": legend as far into the panel as on the other pages";
            const test::PaintedText caption = test::paintedText(texts, QStringLiteral("simulation time"));
            const double line = QFontMetricsF(page.plot->font()).height();
            EXPECT_GE(caption.box.top(), panel.bottom()) << page.name << ": under the panel";
            EXPECT_LE(caption.box.bottom(), size.height()) << page.name << ": inside the widget";
            EXPECT_LT(size.height() - caption.box.bottom(), 2.0 * line) << page.name << ": a band left empty";
            const double drop = caption.box.top() - panel.bottom() - (page.numberedTimes ? line : 0.0);
            EXPECT_LT(drop, line) << page.name << ": less than a line under the panel or its times";
            firstDrop = firstDrop < 0.0 ? drop : firstDrop;
            EXPECT_NEAR(drop, firstDrop, 0.5) << page.name << ": as far under the panel as on the other pages";
        }
    }
}

using DrivePlot = test::PlotTest;

TEST_F(DrivePlot, TrapCentreFollowsTheDriveBesideTheMeasuredCurves)
{
    auto& plot = makePlot<QuantumDrivePlotWidget>();
    const QRectF p = plot::panelRect(QSize(420, 300), QuantumDrivePlotWidget::layout());
    // Trap 0.5 + 1.5 sin(0.8 t + 90 deg) spans [0, 8] on +-1.12 * 2 without
    // samples; the packet 2.5 sin(t / 2) to t = 10 widens the half range to
    // 1.12 * 2.5; <H> = 3 + t / 5 lies on [3, 5] padded by a tenth of its span: [2.8, 5.2].
    plot.setDriveParameters(0.5, 1.5, 0.8, 90.0);
    const QColor trap(plot::kMarkers.driveTrap);
    const auto trapAt = [](double t) { return 0.5 + 1.5 * std::cos(0.8 * t); };
    const QImage empty = test::grabPlot(plot, QSize(420, 300));
    for (const double t : {0.0, 2.2, 7.6})
        EXPECT_TRUE(colourNear(empty, panelPoint(p, 0, 8, -2.24, 2.24, t, trapAt(t)), trap, 2)) << t;
    EXPECT_TRUE(showsPlaceholder(plot, QRect(130, 110, 200, 60)));

    plot.setSamples(historyOf(101, 0.0, 0.1, [](ObservableSample& s, double t) {
        s.meanX = 2.5 * std::sin(t / 2.0);
        s.totalEnergy = 3.0 + t / 5.0;
    }));
    const QImage image = test::grabPlot(plot, QSize(420, 300));
    const double h = 1.12 * 2.5;
    for (const double t : {1.3, 4.1, 8.9}) {
        EXPECT_TRUE(colourNear(image, panelPoint(p, 0, 10, -h, h, t, trapAt(t)), trap, 2)) << "trap at " << t;
        EXPECT_TRUE(
            colourNear(image, panelPoint(p, 0, 10, -h, h, t, 2.5 * std::sin(t / 2)), QColor(plot::kCurves.leading)))
            << "packet at " << t;
        EXPECT_TRUE(colourNear(image, panelPoint(p, 0, 10, 2.8, 5.2, t, 3.0 + t / 5.0), QColor(plot::kCurves.energy)))
            << "energy at " << t;
    }

    // A constant <H> = 4.2 opens an axis of one unit about it: the curve runs
    // along the middle of the panel.
    plot.setSamples(historyOf(101, 0.0, 0.1, [](ObservableSample& s, double t) {
        s.meanX = 2.5 * std::sin(t / 2.0);
        s.totalEnergy = 4.2;
    }));
    const QImage flat = test::grabPlot(plot, QSize(420, 300));
    for (const double t : {1.3, 8.9})
        EXPECT_TRUE(colourNear(flat, panelPoint(p, 0, 10, 3.6, 4.8, t, 4.2), QColor(plot::kCurves.energy)))
            << "constant energy at " << t;
    // Exactly mid-panel, to half a pixel on a panel where a pad off by a hundredth shows.
    const QSize tall(420, 1100);
    const QRectF tp = plot::panelRect(tall, QuantumDrivePlotWidget::layout());
    const QImage tallFlat = test::grabPlot(plot, tall);
    for (const double t : {1.3, 8.9}) {
        const test::InkCentre line = test::inkCentre(
            tallFlat, QRect(int(tp.left() + tp.width() * t / 10.0), int(tp.top()), 1, int(tp.height())),
            QColor(plot::kCurves.energy), [](const QPoint&) { return QColor(plot::kSinglePanel.background); });
        ASSERT_GT(line.ink, 0.5) << "the flat energy crosses the column at " << t;
        EXPECT_NEAR(line.centre.y(), tp.center().y(), 0.5) << "constant energy at " << t;
    }
    plot.clearHistory();
    EXPECT_TRUE(test::grabPlot(plot, QSize(420, 300)) == empty) << "clearHistory keeps the drive";
}

// Lattice a = 2 under force F: T_B = 2 pi / (2 |F|), pB = pi / 2.
BlochLatticeConfig lattice(double force)
{
    BlochLatticeConfig config;
    config.valid = true;
    config.spacing = 2.0;
    config.force = force;
    return config;
}

std::vector<ObservableSample> driftingCentre()
{
    return historyOf(59, 1.0, 0.5, [](ObservableSample& s, double t) { s.meanX = 4.0 - 0.1 * t; });
}

using BlochPlot = test::PlotTest;

TEST_F(BlochPlot, CentreAndFoldedMomentumWithTheBlochPeriodsMarked)
{
    auto& plot = makePlot<QuantumBlochPlotWidget>();
    plot.setData(driftingCentre(), lattice(0.25), 0.3, 1.0);
    const QImage image = test::grabPlot(plot, QSize(480, 400));
    const QRectF a(58, 24, 400, 150);
    const QRectF b(58, 208, 400, 150);
    // Time from 1 to 30; <x> from 3.9 down to 1: [0, 3.9] widened by 8 %.
    const auto folded = [](double t) { return 0.3 + 0.25 * t - kPi * std::floor((0.3 + 0.25 * t + kPi / 2) / kPi); };
    for (const double t : {3.0, 9.5, 17.0, 28.0}) {
        const QPointF centre = panelPoint(a, 1, 30, -0.312, 4.212, t, 4.0 - 0.1 * t);
        EXPECT_TRUE(colourNear(image, centre, QColor(plot::kCurves.leading))) << t;
        const QPointF momentum = panelPoint(b, 1, 30, -kPi / 2, kPi / 2, t, folded(t));
        EXPECT_TRUE(colourNear(image, momentum, QColor(plot::kTwoLevel.blochMomentum))) << t;
    }
    // A centre running from 1.8 down through 0 to -4 spans [-4, 1.8], padded by 8 % of 5.8 each side.
    plot.setData(historyOf(59, 1.0, 0.5, [](ObservableSample& s, double t) { s.meanX = 2.0 - 0.2 * t; }), lattice(0.25),
                 0.3, 1.0);
    const QImage crossing = test::grabPlot(plot, QSize(480, 400));
    for (const double t : {3.0, 17.0, 28.0})
        EXPECT_TRUE(colourNear(crossing, panelPoint(a, 1, 30, -4.0 - 0.464, 1.8 + 0.464, t, 2.0 - 0.2 * t),
                               QColor(plot::kCurves.leading)))
            << "a centre through 0 at " << t;
    const auto marked = [&](const QImage& picture, double t, const QRectF& panel) {
        return markedRows(picture, panelPoint(a, 1, 30, 0, 1, t, 0).x(), panel.top(), panel.bottom());
    };
    for (const double t : {4.0 * kPi, 8.0 * kPi})
        EXPECT_GT(std::min(marked(image, t, a), marked(image, t, b)), 0.5) << "period mark in both panels at " << t;
    EXPECT_LT(marked(image, 6.0 * kPi, a), 0.2) << "no mark between periods";

    // A packet that never leaves the origin has no spread to scale by: its
    // centre runs through the middle of a range of 1 either side.
    plot.setData(historyOf(59, 1.0, 0.5, [](ObservableSample& s, double) { s.meanX = 0.0; }), lattice(0.25), 0.3, 1.0);
    const QImage resting = test::grabPlot(plot, QSize(480, 400));
    for (const double t : {3.0, 17.0, 28.0}) {
        EXPECT_TRUE(colourNear(resting, panelPoint(a, 1, 30, -1.0, 1.0, t, 0.0), QColor(plot::kCurves.leading))) << t;
        EXPECT_FALSE(colourNear(resting, panelPoint(a, 1, 30, -1.0, 1.0, t, 0.5), QColor(plot::kCurves.leading))) << t;
    }

    // A period of 6 pi, longer than half the 29 s range, still marks its one
    // multiple inside it; one of 0.5 marks its multiples up to the range's end.
    for (const auto& [force, t] : {std::pair(1.0 / 6.0, 6.0 * kPi), std::pair(2.0 * kPi, 29.5)}) {
        plot.setData(driftingCentre(), lattice(force), 0.3, 1.0);
        EXPECT_GT(marked(test::grabPlot(plot, QSize(480, 400)), t, a), 0.5) << "period mark at " << t;
    }

    // A period so short that the range holds more periods than the panel has
    // pixels draws no marks (a paint that went through them would not end).
    plot.setData(driftingCentre(), lattice(1e12), 0.3, 1.0);
    const QImage dense = test::grabPlot(plot, QSize(480, 400));
    // (Probed between the grid's round times.)
    for (const double t : {6.25, 11.25, 21.25})
        EXPECT_LT(marked(dense, t, a), 0.2) << t;
    // The multiple of the period at t = 0, before the first sample, is not
    // marked: left of the panel the first picture differs from the unmarked one only by a mark.
    const double before = panelPoint(a, 1, 30, 0, 1, 0.0, 0).x();
    for (const QRectF& panel : {a, b})
        EXPECT_LT(markedRows(image, before, panel.top(), panel.bottom(), &dense), 0.2) << "no mark before the history";
}

TEST_F(BlochPlot, ShowsThePlaceholdersWithoutLatticeOrHistory)
{
    auto& plot = makePlot<QuantumBlochPlotWidget>();
    const auto placeholders = [&](const char* what, bool shown) {
        for (const QRect& where : {QRect(140, 80, 200, 40), QRect(140, 270, 200, 40)})
            EXPECT_EQ(showsPlaceholder(plot, where, QSize(480, 400)), shown) << what;
    };
    placeholders("fresh", true);
    plot.setData(historyOf(1, 0.0, 1.0, [](ObservableSample&, double) {}), lattice(0.25), 0.0, 1.0);
    placeholders("one sample", true);
    plot.setData(historyOf(2, 0.0, 1.0, [](ObservableSample& s, double t) { s.meanX = 0.5 * t; }), lattice(0.25), 0.0,
                 1.0);
    placeholders("two samples", false);
    plot.setData(historyOf(3, 2.0, 0.0, [](ObservableSample&, double) {}), lattice(0.25), 0.0, 1.0);
    placeholders("no time elapsed", false);
    // Without a positive zone edge (no spacing, or hbar = 0) there is no zone
    // to fold into: the panels stay bare, no curve and no placeholder.
    BlochLatticeConfig unspaced = lattice(0.25);
    unspaced.spacing = 0.0;
    for (const auto& [config, hbar] : {std::pair{unspaced, 1.0}, std::pair{lattice(0.25), 0.0}}) {
        plot.setData(driftingCentre(), config, 0.0, hbar);
        placeholders("no zone", false);
        const QImage bare = test::grabPlot(plot, QSize(480, 400));
        EXPECT_EQ(countColour(bare, QRect(58, 24, 400, 342), QColor(plot::kCurves.leading), 10), 0)
            << "a curve without a zone edge, hbar " << hbar;
    }
    plot.setData(driftingCentre(), lattice(0.25), 0.0, 1.0);
    plot.reset();
    placeholders("reset", true);
}

} // namespace

namespace test {

template <>
struct PlotFeeds<QuantumQuenchPlotWidget> {
    static std::vector<PlotFeed<QuantumQuenchPlotWidget>> all()
    {
        auto feeds = historyFeeds<QuantumQuenchPlotWidget>([](QuantumQuenchPlotWidget& w, const auto& s) {
            w.setSamples(s);
            w.setMarkerTime(2.0);
        });
        for (const double time : {kInf, kNaN, 1e300})
            feeds.push_back({"mark", [time](QuantumQuenchPlotWidget& w) { w.setMarkerTime(time); }});
        return feeds;
    }
};

template <>
struct PlotFeeds<QuantumDrivePlotWidget> {
    static std::vector<PlotFeed<QuantumDrivePlotWidget>> all()
    {
        auto feeds = historyFeeds<QuantumDrivePlotWidget>([](QuantumDrivePlotWidget& w, const auto& s) {
            w.setDriveParameters(0.5, 1.0, 2.0, 45.0);
            w.setSamples(s);
        });
        feeds.push_back({"wild", [](QuantumDrivePlotWidget& w) { w.setDriveParameters(kNaN, kInf, 1e300, kInf); }});
        return feeds;
    }
};

template <>
struct PlotFeeds<QuantumBlochPlotWidget> {
    static std::vector<PlotFeed<QuantumBlochPlotWidget>> all()
    {
        auto feeds = historyFeeds<QuantumBlochPlotWidget>(
            [](QuantumBlochPlotWidget& w, const auto& s) { w.setData(s, lattice(0.25), 0.3, 1.0); });
        // Times of +-1e300 print time labels wider than the panel.
        for (PlotFeed<QuantumBlochPlotWidget>& feed : feeds)
            if (feed.name == "extreme times")
                feed = beyondLegibility(feed);
        for (const double force : {0.0, 1e300, 1e-300, kNaN})
            feeds.push_back({"force", [force](QuantumBlochPlotWidget& w) {
                                 w.setData(driftingCentre(), lattice(force), 0.3, 1.0);
                             }});
        feeds.push_back({"no finite centre", [](QuantumBlochPlotWidget& w) {
                             w.setData(historyOf(4, 0.0, 1.0, [](ObservableSample& s, double) { s.meanX = kNaN; }),
                                       lattice(0.25), kInf, 1e-300);
                         }});
        return feeds;
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Quench, PlotRobustness, QuantumQuenchPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Quench, PlotLegibility, QuantumQuenchPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Drive, PlotRobustness, QuantumDrivePlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Drive, PlotLegibility, QuantumDrivePlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Bloch, PlotRobustness, QuantumBlochPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Bloch, PlotLegibility, QuantumBlochPlotWidget);

} // namespace test
} // namespace vxo

#include "experiments/BouncerRecorder.h"
#include "experiments/RevivalRecorder.h"
#include "experiments/TalbotRecorder.h"
#include "plots/PlotPalette.h"
#include "plots/QuantumBouncerPlotWidget.h"
#include "plots/QuantumRevivalPlotWidget.h"
#include "plots/QuantumTalbotPlotWidget.h"

#include "PaintedTexts.h"
#include "PlotTestSupport.h"
#include "RecorderPlotFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::cellPixel;
using test::lineCentres;
using test::powerChannel;
using test::stackedPanels;

const QColor kBackdrop(plot::kRecorder.background);

// (offset, gain, exponent) of the red, green and blue channels of a carpet ramp.
using Ramp = std::array<std::array<double, 3>, 3>;
const Ramp kRevivalRamp{{{0, 1, 1.8}, {0, 1, 0.85}, {0.2, 1.2, 1}}};
const Ramp kTalbotRamp{{{0, 1, 1.55}, {0, 1, 0.72}, {0.18, 1.25, 0.9}}};
const Ramp kBouncerRamp{{{0, 1, 1.45}, {0, 1, 0.72}, {0.2, 1.18, 0.92}}};

QColor rampColour(const Ramp& ramp, double value, double rowMaximum)
{
    const double s = std::min(std::sqrt(std::max(value / rowMaximum, 0.0)), 1.0);
    return QColor(powerChannel(s, ramp[0][0], ramp[0][1], ramp[0][2]),
                  powerChannel(s, ramp[1][0], ramp[1][1], ramp[1][2]),
                  powerChannel(s, ramp[2][0], ramp[2][1], ramp[2][2]));
}

// Every cell of a carpet of recorded rows: cell (k, r) shows entry first + k of
// row r (0 beyond the row), scaled by the row's largest entry among the shown
// ones, to the colour level: a ramp's exponent moved by a hundredth shows.
// Cells whose centre lies under a marker line (covered) are passed over.
void expectRowScaledCells(
    const QImage& image, const QRectF& carpet, const std::vector<std::vector<float>>& rows, int first, int columns,
    const Ramp& ramp, const std::string& plot,
    const std::function<bool(const QPointF&)>& covered = [](const QPointF&) { return false; })
{
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto entry = [&](int k) {
            const std::size_t i = static_cast<std::size_t>(first + k);
            return i < rows[r].size() ? double(rows[r][i]) : 0.0;
        };
        double maximum = 1e-30;
        for (int k = 0; k < columns; ++k)
            maximum = std::max(maximum, entry(k));
        for (int k = 0; k < columns; ++k) {
            const QPointF at = cellPixel(carpet, k, int(r), columns, int(rows.size()));
            if (covered(at))
                continue;
            EXPECT_TRUE(test::colourNear(image, at, rampColour(ramp, entry(k), maximum), 0, 0))
                << plot << ": cell " << k << " of row " << r << " is " << std::hex << image.pixel(at.toPoint());
        }
    }
}

template <typename Sample>
std::vector<std::vector<float>> rowsOf(const std::vector<Sample>& samples, std::vector<float> Sample::*row)
{
    std::vector<std::vector<float>> rows;
    for (const Sample& s : samples)
        rows.push_back(s.*row);
    return rows;
}

// The revival fixture: a 40 x 6 grid of 0.5 x 0.3 cells and a box from x = -4.2
// to 4.8 (test::revivalBox(0.3, 9), grid columns 12 to 29), with a packet
// moving across the box and a tall density outside it that the carpet must
// not see.
constexpr std::uint64_t kRevivalNx = 40;
ComplexField2D revivalField(double centre, double scale)
{
    return test::densityField(kRevivalNx, 6, 0.5f, 0.3f, [&](std::uint64_t i, std::uint64_t) {
        const double x = cellCentre(i, kRevivalNx, 0.5);
        return (x < -4.2 || x > 4.8) ? 50.0 : scale * std::exp(-(x - centre) * (x - centre) / 2.0) + 0.02;
    });
}

using CarpetPlots = test::PlotTest;

TEST_F(CarpetPlots, RevivalCarpetShowsTheBoxColumnsEachRowScaledToItsMaximumAndTheFidelity)
{
    RevivalRecorder recorder(100);
    recorder.setInitialState(revivalField(-3.0, 1.0));
    for (int r = 0; r < 4; ++r)
        recorder.record(10.0 * r, revivalField(-3.0 + 2.0 * r, 1.0 + r));
    auto& plot = makePlot<QuantumRevivalPlotWidget>();
    plot.setRecorder(&recorder, test::revivalBox(0.3, 9.0), 0.0, 1.0); // no revival time: no markers over the cells
    const QImage image = test::grabPlot(plot, QSize(520, 500));
    const test::StackedPanels panels = stackedPanels(520, 500, QuantumRevivalPlotWidget::layout());

    // Columns ceil(-4.2 / 0.5 + 19.5) = 12 to floor(4.8 / 0.5 + 19.5) = 29.
    expectRowScaledCells(image, panels.upper, rowsOf(recorder.samples(), &RevivalSample::xMarginal), 12, 18,
                         kRevivalRamp, "revival");
    const RevivalSample& last = recorder.samples().back();
    const QPointF end(panels.lower.right(), panels.lower.bottom() - panels.lower.height() * last.fidelity);
    EXPECT_TRUE(test::colourNear(image, end, QColor(plot::kCurves.carpetFidelity)))
        << "the fidelity curve ends at the last sample";
    // The carpet's ends are the box walls, not the grid's.
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(520, 500));
    EXPECT_EQ(test::paintedText(texts, QStringLiteral("x = -")).text, QStringLiteral("x = -4.20"));
    EXPECT_EQ(test::paintedText(texts, QStringLiteral("x = 4")).text, QStringLiteral("x = 4.80"));
}

TEST_F(CarpetPlots, RevivalMarkersCrossBothPanelsAtTheQuarterRevivalTimesInRange)
{
    // A box with no density keeps the carpet (0, 0, 51), so only the markers show on it.
    RevivalRecorder recorder(100);
    const ComplexField2D empty(kRevivalNx, 6, 0.5f, 0.3f);
    recorder.setInitialState(revivalField(0.0, 1.0));
    for (int r = 0; r <= 30; ++r)
        recorder.record(r, empty);
    // T_rev = 4 m L^2 / (pi hbar) = 36 for L = 9 and m = 1: markers at 9, 18 and 27; 36 lies beyond t = 30.
    auto& plot = makePlot<QuantumRevivalPlotWidget>();
    plot.setRecorder(&recorder, test::revivalBox(0.3, 9.0), 1.0, 4.0 * 81.0 / (kPi * 36.0));
    const QImage image = test::grabPlot(plot, QSize(520, 500));
    const test::StackedPanels panels = stackedPanels(520, 500, QuantumRevivalPlotWidget::layout());
    const QRectF& carpet = panels.upper;
    const QRectF& curve = panels.lower;

    const std::vector<double> rows = lineCentres(image, carpet.adjusted(4, 4, -4, -4).toRect(), false, QColor(0, 0, 51),
                                                 QColor(plot::kAxes.carpetTimeMarker));
    const std::vector<double> columns =
        lineCentres(image, curve.adjusted(4, 4, -4, -8).toRect(), true, kBackdrop, QColor(plot::kAxes.curveTimeMarker));
    ASSERT_EQ(rows.size(), 3u) << "one carpet line per quarter revival time within the run";
    ASSERT_EQ(columns.size(), 3u) << "one fidelity-panel line per quarter revival time within the run";
    for (int k = 1; k <= 3; ++k) {
        EXPECT_NEAR(rows[k - 1], carpet.top() + carpet.height() * 9.0 * k / 30.0, 1.0) << "k = " << k;
        EXPECT_NEAR(columns[k - 1], curve.left() + curve.width() * 9.0 * k / 30.0, 1.0) << "k = " << k;
    }
}

TalbotInitialState talbotComb()
{
    TalbotInitialState state;
    state.period = 2.0; // half a period is 4 cells of 0.25
    state.toothSigma = 0.3;
    return state;
}

// The carpet pages stack the carpet, whose rows are the history, over its
// curve: the panels run from 30 px below the top to 38 px above the foot,
// the carpet taking 0.68 of their height. Read off the panel frames each page
// paints, at two sizes, so that a share moved by a hundredth shows on the
// taller one.
TEST_F(CarpetPlots, CarpetTakesItsShareOfThePanelsHeight)
{
    RevivalRecorder revival(100);
    revival.setInitialState(revivalField(-3.0, 1.0));
    for (int r = 0; r < 4; ++r)
        revival.record(10.0 * r, revivalField(-3.0 + 2.0 * r, 1.0));
    auto& revivalPlot = makePlot<QuantumRevivalPlotWidget>();
    revivalPlot.setRecorder(&revival, test::revivalBox(0.3, 9.0), 0.0, 1.0);
    auto& talbotPlot = makePlot<QuantumTalbotPlotWidget>();
    TalbotRecorder talbot(100);
    const ComplexField2D comb =
        test::densityField(32, 4, 0.25f, 0.6f, [](std::uint64_t i, std::uint64_t) { return 1.1 + std::cos(0.25 * i); });
    ASSERT_TRUE(talbot.configure(comb, talbotComb()));
    for (int r = 0; r <= 3; ++r)
        talbot.record(0.5 * r, comb);
    talbotPlot.setRecorder(&talbot, kPi / 4.0, 1.0);
    for (const auto& [page, plot] : {std::pair<std::string, QWidget*>{"revival", &revivalPlot},
                                     std::pair<std::string, QWidget*>{"Talbot", &talbotPlot}})
        for (const QSize size : {QSize(520, 500), QSize(700, 900)}) {
            const std::string name =
                page + " at " + std::to_string(size.width()) + " x " + std::to_string(size.height());
            std::vector<QRectF> frames = test::paintedPage(*plot, size).frames;
            ASSERT_GE(frames.size(), 2u) << name;
            // The two largest frames are the panels.
            std::sort(frames.begin(), frames.end(),
                      [](const QRectF& a, const QRectF& b) { return a.width() * a.height() > b.width() * b.height(); });
            QRectF carpet = frames[0], curve = frames[1];
            if (carpet.top() > curve.top())
                std::swap(carpet, curve);
            const double shared = carpet.height() + curve.height();
            EXPECT_NEAR(carpet.top(), 30.0, 1.0) << name;
            EXPECT_NEAR(carpet.height() / shared, 0.68, 1.0 / shared) << name;
            EXPECT_NEAR(curve.bottom(), size.height() - 38.0, 1.0) << name;
        }
}

TEST_F(CarpetPlots, TalbotCarpetCoversTheGridAndItsMarkersTakeTheColourOfTheirFraction)
{
    constexpr std::uint64_t nx = 32;
    const auto comb = [](double shift, double envelope) {
        return test::densityField(nx, 4, 0.25f, 0.6f, [=](std::uint64_t i, std::uint64_t) {
            const double x = cellCentre(i, nx, 0.25) - shift;
            return envelope * (1.1 + std::cos(kPi * x)) + 0.01 * double(i);
        });
    };
    TalbotRecorder recorder(100);
    ASSERT_TRUE(recorder.configure(comb(0.0, 1.0), talbotComb()));
    for (int r = 0; r <= 5; ++r)
        recorder.record(2.6 * r / 5.0, comb(0.2 * r, 1.0 + r));
    // T_T = m a^2 / (pi hbar) = 1 with m = pi / 4: quarter multiples 0.25 .. 2.5 lie within t <= 2.6.
    auto& plot = makePlot<QuantumTalbotPlotWidget>();
    plot.setRecorder(&recorder, kPi / 4.0, 1.0);
    const QImage image = test::grabPlot(plot, QSize(560, 520));
    const test::StackedPanels panels = stackedPanels(560, 520, QuantumTalbotPlotWidget::layout());

    const std::vector<std::vector<float>> rows = rowsOf(recorder.samples(), &TalbotSample::xMarginal);
    const QRectF& curve = panels.lower;
    const QRect band = curve.adjusted(4, 4, -4, -8).toRect();
    struct Fraction {
        const char* name;
        QColor colour;
        std::vector<int> quarters;
    };
    for (const Fraction& f :
         std::vector<Fraction>{{"whole", QColor(plot::kMaps.talbotWhole), {4, 8}},
                               {"half", QColor(plot::kMaps.talbotHalf), {2, 6, 10}},
                               {"odd quarter", QColor(plot::kMaps.talbotQuarter), {1, 3, 5, 7, 9}}}) {
        const std::vector<double> columns = lineCentres(image, band, true, kBackdrop, f.colour);
        ASSERT_EQ(columns.size(), f.quarters.size()) << f.name << " markers";
        for (std::size_t m = 0; m < columns.size(); ++m)
            EXPECT_NEAR(columns[m], curve.left() + curve.width() * 0.25 * f.quarters[m] / 2.6, 1.0)
                << f.name << " marker " << f.quarters[m];
    }
    // The marker lines cross the carpet too; the cells under them are passed over.
    expectRowScaledCells(image, panels.upper, rows, 0, int(nx), kTalbotRamp, "Talbot", [&](const QPointF& at) {
        for (int k = 1; k <= 10; ++k)
            if (std::abs(at.y() - (panels.upper.top() + panels.upper.height() * 0.25 * k / 2.6)) < 3.0)
                return true;
        return false;
    });
    const TalbotSample& last = recorder.samples().back();
    for (const auto& [value, colour] :
         {std::pair<double, QColor>{last.correlationOriginal, QColor(plot::kCurves.carpet)},
          std::pair<double, QColor>{last.correlationShifted, QColor(plot::kMaps.talbotShifted)}})
        EXPECT_TRUE(
            test::colourNear(image, QPointF(curve.right() - 1, curve.bottom() - curve.height() * value), colour))
            << "a correlation curve ends at " << value;
    // The carpet spans the whole grid, 32 cells of 0.25 across (and 4 rows of 0.6 down).
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(560, 520));
    EXPECT_EQ(test::paintedText(texts, QStringLiteral("x = -")).text, QStringLiteral("x = -4.00"));
    EXPECT_EQ(test::paintedText(texts, QStringLiteral("x = 4")).text, QStringLiteral("x = 4.00"));
}

// The bouncer fixture: 64 rows of 0.25 (centres -7.875 .. 7.875) and an Airy
// length of 1 (force 0.5, m = hbar = 1), so the turning heights lie at the
// magnitudes of the Airy zeros above the floor.
constexpr std::array<double, 8> kAiryZeros{2.33811, 4.08795, 5.52056, 6.78671, 7.94413, 9.02265, 10.04017, 11.00852};

ComplexField2D bouncerField(double centre)
{
    return test::densityField(3, 64, 0.7f, 0.25f, [&](std::uint64_t, std::uint64_t j) {
        const double y = cellCentre(j, 64, 0.25);
        return std::exp(-(y - centre) * (y - centre)) + 0.001 * double(j);
    });
}

TEST_F(CarpetPlots, BouncerCarpetRunsFromBelowTheFloorAndMarksTheFloorAndTheAiryLevels)
{
    BouncerRecorder recorder(100);
    ASSERT_TRUE(recorder.configure(test::bouncerFloor(-6.0), -1.0, 0.0));
    for (int r = 0; r < 5; ++r)
        recorder.record(2.0 * r, bouncerField(-1.0 - r), 1.0, 1.0);
    auto& plot = makePlot<QuantumBouncerPlotWidget>();
    plot.setRecorder(&recorder, 1.0, 1.0);
    const QImage image = test::grabPlot(plot, QSize(700, 460));
    const test::StackedPanels panels = stackedPanels(700, 460, QuantumBouncerPlotWidget::layout());
    const QRectF& carpet = panels.upper;

    // Heights from -6.35 to the eighth turning height + 1 = 6.00852: rows
    // ceil(-6.35 / 0.25 + 31.5) = 7 to floor(6.00852 / 0.25 + 31.5) = 55.
    const double yLow = -6.35;
    const double yHigh = -6.0 + kAiryZeros[7] + 1.0;
    const auto x = [&](double y) { return carpet.left() + carpet.width() * (y - yLow) / (yHigh - yLow); };
    expectRowScaledCells(image, carpet, rowsOf(recorder.samples(), &BouncerSample::yMarginal), 7, 49, kBouncerRamp,
                         "bouncer", [&](const QPointF& at) {
                             bool covered = std::abs(at.x() - x(-6.0)) < 3.0 || at.y() < carpet.top() + 20.0;
                             for (const double a : kAiryZeros)
                                 covered = covered || std::abs(at.x() - x(-6.0 + a)) < 3.0;
                             return covered;
                         });

    // On an empty carpet the floor and the eight levels are the only lines.
    BouncerRecorder quiet(100);
    ASSERT_TRUE(quiet.configure(test::bouncerFloor(-6.0), -1.0, 0.0));
    for (int r = 0; r < 5; ++r)
        quiet.record(r, ComplexField2D(3, 64, 0.7f, 0.25f), 1.0, 1.0);
    plot.setRecorder(&quiet, 1.0, 1.0);
    const QImage lines = test::grabPlot(plot, QSize(700, 460));
    const QRect below = carpet.adjusted(2, 22, -2, -2).toRect(); // under the level numbers
    const std::vector<double> floor = lineCentres(lines, below, true, QColor(0, 0, 51), QColor(plot::kMarkers.wall));
    ASSERT_EQ(floor.size(), 1u);
    EXPECT_NEAR(floor[0], x(-6.0), 1.0) << "the floor";
    const std::vector<double> levels =
        lineCentres(lines, below, true, QColor(0, 0, 51), QColor(plot::kOverlays.bouncerLevel));
    ASSERT_EQ(levels.size(), 8u);
    for (std::size_t n = 0; n < 8; ++n)
        EXPECT_NEAR(levels[n], x(-6.0 + kAiryZeros[n]), 1.0) << "level " << n + 1;

    // The classical bounce starts at y0 = -1, 5 above the floor, and falls.
    const QRectF& curve = panels.lower;
    const double start = curve.bottom() - curve.height() * 5.0 / (yHigh + 6.0);
    EXPECT_TRUE(test::colourNear(lines, QPointF(curve.left() + 1, start), QColor(plot::kMaps.bouncerClassical), 1));
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(700, 460));
    // The ends of the height axis are named under the carpet's own ends.
    const test::PaintedText low = test::paintedText(texts, QStringLiteral("floor "));
    const test::PaintedText high = test::paintedText(texts, QStringLiteral("y "));
    EXPECT_EQ(low.text, QStringLiteral("floor -6.0"));
    EXPECT_EQ(high.text, QStringLiteral("y %1").arg(yHigh, 0, 'f', 1));
    EXPECT_NEAR(low.box.left(), carpet.left(), 1.5);
    EXPECT_NEAR(high.box.right(), carpet.right(), 1.5);
    // Under a force of 100 the eighth level stands only 11.94 / 200^(1/3) = 2.04
    // above the floor: the carpet reaches 4 above the floor or the start, the higher.
    BouncerConfig strong = test::bouncerFloor(-6.0);
    strong.force = 100.0;
    for (const auto& [y0, top] : {std::pair{-9.0, -2.0}, std::pair{3.5, 7.5}}) {
        BouncerRecorder packed(10);
        ASSERT_TRUE(packed.configure(strong, y0, 0.0));
        packed.record(0.0, bouncerField(-5.0), 1.0, 1.0);
        plot.setRecorder(&packed, 1.0, 1.0);
        EXPECT_EQ(test::paintedText(test::paintedTexts(plot, QSize(700, 460)), QStringLiteral("y ")).text,
                  QStringLiteral("y %1").arg(top, 0, 'f', 1))
            << "start " << y0;
    }
    // The levels are numbered from 1 at the ground state, just right of their lines.
    for (std::size_t n = 0; n < 8; ++n)
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                                [&](const test::PaintedText& t) {
                                    return t.text == QString::number(n + 1) &&
                                           std::abs(t.box.left() - x(-6.0 + kAiryZeros[n]) - 2.0) < 1.5;
                                }))
            << "level " << n + 1;
}

TEST_F(CarpetPlots, BouncerFloorInTheTopRowKeepsTwoColumnsTheSecondBeyondTheGrid)
{
    BouncerRecorder recorder(100);
    ASSERT_TRUE(recorder.configure(test::bouncerFloor(8.5), 9.0, 0.0));
    recorder.record(0.0, bouncerField(7.0), 1.0, 1.0);
    recorder.record(1.0, bouncerField(6.0), 1.0, 1.0);
    auto& plot = makePlot<QuantumBouncerPlotWidget>();
    plot.setRecorder(&recorder, 1.0, 1.0);
    // Stacked at 480 px; at 230 px, as on a 1366 x 768 screen, side by side.
    for (const QSize size : {QSize(500, 480), QSize(700, 230)}) {
        const QImage image = test::grabPlot(plot, size);
        const plot::SplitPanels panels =
            plot::splitPanels(size, QuantumBouncerPlotWidget::layout().withMinimumHeight(0.0));
        for (int r = 0; r < 2; ++r) {
            EXPECT_TRUE(test::colourNear(image, cellPixel(panels.upper, 0, r, 2, 2), QColor(255, 255, 255), 0, 1))
                << "the top grid row is its own row maximum; row " << r << ", " << size.height() << " px high";
            EXPECT_TRUE(test::colourNear(image, cellPixel(panels.upper, 1, r, 2, 2), QColor(0, 0, 51), 0, 1))
                << "the column beyond the grid reads zero; row " << r << ", " << size.height() << " px high";
        }
        const QRectF floor = test::paintedText(test::paintedTexts(plot, size), QStringLiteral("floor ")).box;
        EXPECT_GT(floor.top(), panels.upper.bottom()) << "the floor's name under the carpet";
        EXPECT_LT(floor.bottom(), plot::sideBySide(panels) ? double(size.height()) : panels.lower.top())
            << size.height() << " px high";
    }
}

} // namespace
} // namespace vxo

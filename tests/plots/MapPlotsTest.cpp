#include "experiments/BilliardRecorder.h"
#include "experiments/ScarRecorder.h"
#include "plots/PlotPainting.h"
#include "plots/QuantumBilliardPlotWidget.h"
#include "plots/QuantumScarPlotWidget.h"

#include "AxisReading.h"
#include "PaintedTexts.h"
#include "PlotTestSupport.h"
#include "RecorderPlotFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace vxo {
namespace {

using test::cellPixel;
using test::powerChannel;

TEST(PowerRampTable, GivesThePowerRampColourOfEveryRatio)
{
    const std::vector<plot::PowerRamp> ramps{{{0, 1, 1.8}, {0, 1, 0.85}, {0.2, 1.2, 1}},
                                             {{0, 1, 1.7}, {0, 1, 0.72}, {0.12, 1.25, 0.9}},
                                             {{0, 1.35, 1.25}, {0.25, 1.15, 0.72}, {0.1, 0.85, 0.45}},
                                             {{0, 1, 1.45}, {0, 1, 0.72}, {0.2, 1.18, 0.92}},
                                             {{0, 1, 1.55}, {0, 1, 0.72}, {0.18, 1.25, 0.9}}};
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (std::size_t k = 0; k < ramps.size(); ++k) {
        const plot::PowerRampTable table(ramps[k]);
        // Uniform ratios, ratios crowded near 0 (where the steps are dense) and the edge cases.
        std::vector<double> values{0.0, -1.0, 1.0, 3.0, 1e-300, 5e-324, test::kNaN, test::kInf, -test::kInf};
        for (int i = 0; i < 20000; ++i)
            values.push_back(i % 2 ? uniform(rng) : std::pow(uniform(rng), 12.0));
        for (const double maximum : {1.0, 0.37, 2.5e-7})
            for (const double v : values)
                ASSERT_EQ(table.colour(v * maximum, maximum),
                          plot::powerRampColour(ramps[k], plot::carpetLevel(v * maximum, maximum)))
                    << "ramp " << k << ", ratio " << v << ", maximum " << maximum;
        // Exactly on a step and just below it: the first ratio of every colour,
        // found by bisection over the ratios' bit patterns (ordered like the ratios).
        const auto direct = [&](double r) { return plot::powerRampColour(ramps[k], plot::carpetLevel(r, 1.0)); };
        const auto ratio = [](std::uint64_t b) {
            double r;
            std::memcpy(&r, &b, sizeof r);
            return r;
        };
        const std::uint64_t one = 0x3ff0000000000000u; // the bits of 1.0
        int steps = 0;
        for (std::uint64_t below = 0; direct(ratio(below)) != direct(1.0); ++steps) {
            std::uint64_t above = one;
            while (above - below > 1) {
                const std::uint64_t middle = below + (above - below) / 2;
                (direct(ratio(middle)) == direct(ratio(below)) ? below : above) = middle;
            }
            for (const double r : {ratio(below), ratio(above)})
                ASSERT_EQ(table.colour(r, 1.0), direct(r)) << "ramp " << k << ", step " << steps << " at " << r;
            below = above;
        }
        EXPECT_GT(steps, 255) << "ramp " << k;
    }
}

// The billiard fixture: 30 x 20 cells of 0.6 x 0.45 and an interior from
// (-5.75, -3.1) to (6.25, 2.9): columns ceil(-5.75 / 0.6 + 14.5) = 5 to
// floor(6.25 / 0.6 + 14.5) = 24, rows ceil(-3.1 / 0.45 + 9.5) = 3 to
// floor(2.9 / 0.45 + 9.5) = 15 (test::billiardConfig of width 12). The
// density varies over the interior and is tall outside it, where the map must
// not look.
ComplexField2D billiardField(int step)
{
    return test::densityField(30, 20, 0.6f, 0.45f, [&](std::uint64_t i, std::uint64_t j) {
        if (i < 5 || i > 24 || j < 3 || j > 15)
            return 80.0;
        return 0.1 + double((i * 7 + j * 3 + std::uint64_t(step) * 5) % 11);
    });
}

using MapPlots = test::PlotTest;

TEST_F(MapPlots, BilliardMapShowsTheMeanDensityOfTheInteriorUnderOneMaximum)
{
    const BilliardConfig config = test::billiardConfig(12.0, true);
    BilliardRecorder recorder(100);
    ASSERT_TRUE(recorder.setInitialState(billiardField(0), config));
    for (int step = 0; step < 3; ++step)
        ASSERT_TRUE(recorder.record(step, billiardField(step), config));
    auto& plot = makePlot<QuantumBilliardPlotWidget>();
    plot.setRecorder(&recorder, config);
    const QImage image = test::grabPlot(plot, QSize(640, 560));
    const test::StackedPanels panels = test::stackedPanels(640, 560, QuantumBilliardPlotWidget::layout());
    // The 12 x 6 interior on one scale, as large as the panel allows and centred in it.
    const double scale = std::min(panels.upper.width() / 12.0, panels.upper.height() / 6.0);
    QRectF map(0.0, 0.0, 12.0 * scale, 6.0 * scale);
    map.moveCenter(panels.upper.center());

    const std::vector<float>& mean = recorder.meanDensity();
    double maximum = 0.0;
    for (int j = 3; j <= 15; ++j)
        for (int i = 5; i <= 24; ++i)
            maximum = std::max(maximum, double(mean[std::size_t(j * 30 + i)]));
    // The scatterer: centre relative to the interior edges, a round disc.
    const QPointF centre(map.left() + scale * (2.0 + 5.75), map.bottom() - scale * (0.5 + 3.1));
    const double rx = scale * 1.5;
    const double ry = rx;
    for (int r = 0; r < 13; ++r)
        for (int k = 0; k < 20; ++k) {
            const QPointF at = cellPixel(map, k, r, 20, 13);
            const double e = std::hypot((at.x() - centre.x()) / rx, (at.y() - centre.y()) / ry);
            if (e < 1.3)
                continue; // under the scatterer
            // Image row 0 is the top grid row.
            const double s = std::sqrt(mean[std::size_t((15 - r) * 30 + 5 + k)] / maximum);
            const QColor expected(powerChannel(s, 0, 1, 1.7), powerChannel(s, 0, 1, 0.72),
                                  powerChannel(s, 0.12, 1.25, 0.9));
            EXPECT_TRUE(test::colourNear(image, at, expected, 0, 1)) << "cell " << k << " of image row " << r;
        }
    EXPECT_TRUE(test::colourNear(image, centre, QColor(plot::kOverlays.billiardScatterer), 0, 30))
        << "the scatterer covers the map";
    EXPECT_TRUE(test::colourNear(image, QPointF(centre.x() + rx, centre.y()), QColor(plot::kMarkers.wall), 1, 60))
        << "the scatterer's outline";

    const QRectF& curve = panels.lower;
    const BilliardSample& last = recorder.samples().back();
    const auto end = [&](double value) { return QPointF(curve.right() - 1, curve.bottom() - curve.height() * value); };
    EXPECT_TRUE(test::colourNear(image, end(last.occupiedFraction), QColor(plot::kCurves.carpet)));
    EXPECT_TRUE(
        test::colourNear(image, end(std::min(4.0 * last.shellProbability, 1.0)), QColor(plot::kMaps.billiardShell)));
    // The fidelity is a thin line: under one and a half pixels of its colour per pixel of its length.
    double length = 0.0;
    const std::vector<BilliardSample>& samples = recorder.samples();
    for (std::size_t k = 1; k < samples.size(); ++k)
        length += std::hypot(curve.width() / (samples.size() - 1.0),
                             curve.height() * (samples[k].fidelity - samples[k - 1].fidelity));
    const double perPixel = test::countColour(image, curve.toRect(), QColor(plot::kCurves.carpetFidelity)) / length;
    EXPECT_GT(perPixel, 0.5);
    EXPECT_LT(perPixel, 1.5);
    // The curve's scale ends, left of the panel, right-aligned on one edge and
    // centred on its top and bottom edges.
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(640, 560));
    double column = -1.0;
    for (const auto& [value, edge] : {std::pair{"1.0", curve.top()}, std::pair{"0.0", curve.bottom() - 1.0}}) {
        std::vector<QRectF> boxes;
        for (const test::PaintedText& t : texts)
            if (t.text == QLatin1String(value) && t.box.right() <= curve.left())
                boxes.push_back(t.box);
        ASSERT_EQ(boxes.size(), 1u) << value;
        EXPECT_NEAR(boxes[0].center().y(), edge, 1.5) << value;
        column = column < 0.0 ? boxes[0].right() : column;
        EXPECT_NEAR(boxes[0].right(), column, 0.5) << value;
    }
    test::expectLegendRow(texts, {"cyan:", "yellow:", "pink:"});
    for (const char* entry : {"cyan:", "yellow:", "pink:"})
        EXPECT_GT(test::paintedText(texts, entry).box.top(), panels.upper.bottom())
            << entry << " under the map's frame";

    // A rectangular billiard has no shell curve and no pink legend entry.
    plot.setRecorder(&recorder, test::billiardConfig(12.0, false));
    EXPECT_EQ(test::countColour(test::grabPlot(plot, QSize(640, 560)), QRect(0, 0, 640, 560),
                                QColor(plot::kMaps.billiardShell), 30),
              0);
}

// A square interior (6 x 6) in a wide panel is a square image centred in it.
TEST_F(MapPlots, BilliardMapOfASquareInteriorIsSquare)
{
    const BilliardConfig config = test::billiardConfig(6.0, false);
    BilliardRecorder recorder(100);
    ASSERT_TRUE(recorder.setInitialState(billiardField(0), config));
    ASSERT_TRUE(recorder.record(0, billiardField(1), config));
    auto& plot = makePlot<QuantumBilliardPlotWidget>();
    plot.setRecorder(&recorder, config);
    const QImage image = test::grabPlot(plot, QSize(640, 560));
    const QRectF panel = test::stackedPanels(640, 560, QuantumBilliardPlotWidget::layout()).upper;
    ASSERT_GT(panel.width(), panel.height() + 100.0) << "a panel far from square";
    // Inside the frame: the image is as high as the panel, so only its width is measured whole.
    const QRect inside = panel.toAlignedRect().adjusted(2, 2, -2, -2);
    const QRect box = test::colourBoundingBox(image, inside, QColor(plot::kRecorder.background), 6, false);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.height(), inside.height() - 1) << "as high as the panel";
    EXPECT_NEAR(box.width(), panel.height(), 1.0) << "as wide as high, not " << box.width() << " x " << panel.height();
    EXPECT_NEAR(QRectF(box).center().x(), panel.center().x(), 1.0) << "centred";
}

// A density peaked in one cell of the interior: the map's maximum is that
// cell's, wherever along the interior's edges it lies, so the peak alone
// is drawn brighter than the even density around it, which stays well below.
TEST_F(MapPlots, BilliardMapNormalisesByThePeakEvenInTheInteriorsOuterCells)
{
    const BilliardConfig config = test::billiardConfig(12.0, false);
    const QSize size(640, 560);
    const test::StackedPanels panels =
        test::stackedPanels(size.width(), size.height(), QuantumBilliardPlotWidget::layout());
    const double scale = std::min(panels.upper.width() / 12.0, panels.upper.height() / 6.0);
    QRectF map(0.0, 0.0, 12.0 * scale, 6.0 * scale);
    map.moveCenter(panels.upper.center());
    // Interior grid cells (see billiardField): columns 5 to 24, rows 3 to 15.
    const std::pair<int, int> peaks[] = {{5, 3}, {24, 3}, {5, 15}, {24, 15}, {14, 9}};
    for (const auto& [pi, pj] : peaks) {
        const auto density = [pi = pi, pj = pj](std::uint64_t i, std::uint64_t j) {
            return i == std::uint64_t(pi) && j == std::uint64_t(pj) ? 16.0 : 1.0;
        };
        BilliardRecorder recorder(100);
        ASSERT_TRUE(recorder.setInitialState(test::densityField(30, 20, 0.6f, 0.45f, density), config));
        ASSERT_TRUE(recorder.record(0, test::densityField(30, 20, 0.6f, 0.45f, density), config));
        auto& plot = makePlot<QuantumBilliardPlotWidget>();
        plot.setRecorder(&recorder, config);
        const QImage image = test::grabPlot(plot, size);
        const std::string where = "peak in cell " + std::to_string(pi) + ", " + std::to_string(pj);
        // Image row 0 is the top grid row.
        const QColor peak = image.pixelColor(cellPixel(map, pi - 5, 15 - pj, 20, 13).toPoint());
        const QColor plain = image.pixelColor(cellPixel(map, pi == 14 ? 4 : 10, 6, 20, 13).toPoint());
        EXPECT_GT(peak.red() + peak.green() + peak.blue() - plain.red() - plain.green() - plain.blue(), 150)
            << where << ": a sixteenth of the peak is drawn as bright as the peak";
    }
}

// The scar fixture: 80 x 48 cells of 0.25 x 0.2 and a stadium L = 6, R = 3
// about (0.3, -0.2): its box spans columns ceil(-5.7 / 0.25 + 39.5) = 17 to
// floor(6.3 / 0.25 + 39.5) = 64 and rows ceil(-3.2 / 0.2 + 23.5) = 8 to
// floor(2.8 / 0.2 + 23.5) = 37 (test::stadiumGeometry(0.3, 6)). The signed
// distance to the stadium's outline, negative inside:
double stadiumDistance(double x, double y)
{
    const double dx = std::max(std::abs(x - 0.3) - 3.0, 0.0);
    return std::hypot(dx, y + 0.2) - 3.0;
}

TEST_F(MapPlots, ScarMapShowsTheSpectralWeightInsideTheStadiumOnly)
{
    const auto field = [](int shift) {
        return test::densityField(80, 48, 0.25f, 0.2f, [=](std::uint64_t i, std::uint64_t j) {
            return 0.05 + double((i * 5 + j * 3 + std::uint64_t(shift)) % 13);
        });
    };
    ScarConfig config;
    config.enabled = true;
    ScarRecorder recorder(100);
    ASSERT_TRUE(recorder.configure(field(0), test::stadiumGeometry(0.3, 6.0), config, 1.0, 1.0));
    ASSERT_TRUE(recorder.record(0.0, field(1)));
    auto& plot = makePlot<QuantumScarPlotWidget>();
    plot.setRecorder(&recorder);
    const QImage image = test::grabPlot(plot, QSize(660, 520));
    const QRectF panel = test::stackedPanels(660, 520, QuantumScarPlotWidget::layout()).upper;
    // The stadium's 12 x 6 box on one scale, as large as the panel allows and centred in it.
    const double scale = std::min(panel.width() / 12.0, panel.height() / 6.0);
    QRectF map(0.0, 0.0, 12.0 * scale, 6.0 * scale);
    map.moveCenter(panel.center());

    const std::vector<float>& spectral = recorder.spectralMap();
    for (int r = 0; r < 30; ++r)
        for (int k = 0; k < 48; ++k) {
            const int i = 17 + k;
            const int j = 37 - r;
            const double d = stadiumDistance(cellCentre(i, 80, 0.25), cellCentre(j, 48, 0.2f));
            const QPointF at = cellPixel(map, k, r, 48, 30);
            if (std::abs(d) < 0.3 || std::abs(at.y() - (map.bottom() - map.height() / 2.0)) < 4.0 ||
                (at.y() < panel.top() + 32.0 && at.x() < panel.left() + 272.0))
                continue; // under the outline, the axial orbit or its label
            const double v = std::sqrt(spectral[std::size_t(j * 80 + i)]);
            const QColor expected = d < 0.0 ? QColor(powerChannel(v, 0, 1.35, 1.25), powerChannel(v, 0.25, 1.15, 0.72),
                                                     powerChannel(v, 0.1, 0.85, 0.45))
                                            : QColor(plot::kMaps.scarOutside);
            EXPECT_TRUE(test::colourNear(image, at, expected, 0, 1)) << "cell " << k << " of image row " << r;
        }
    // The outline's end caps: half discs of radius 3 about (0.3 -+ 3, -0.2), seen above and below the orbit.
    for (const double side : {-1.0, 1.0})
        for (const double angle : {-0.9, 0.9}) {
            const double x = 0.3 + side * 3.0 * (1.0 + std::cos(angle));
            const double y = -0.2 + 3.0 * std::sin(angle);
            const QPointF at(map.left() + (x + 5.7) * scale, map.bottom() - (y + 3.2) * scale);
            EXPECT_TRUE(test::colourNear(image, at, QColor(plot::kMaps.stadium), 1))
                << "cap " << side << " at " << angle;
        }
    // Taller, the map leaves room above and below it: each straight side runs level
    // at y = -0.2 +- 3, with no outline over the top one or under the bottom one.
    // The stadium moved to x = 2.5, off its y: over the left cap, 2.1 left of its
    // centre, the cap's arc is 3 - sqrt(9 - 2.1^2) = 0.86 below the map's top edge.
    ScarRecorder shifted(100);
    ASSERT_TRUE(shifted.configure(field(0), test::stadiumGeometry(2.5, 6.0), config, 1.0, 1.0));
    ASSERT_TRUE(shifted.record(0.0, field(1)));
    plot.setRecorder(&shifted);
    const QImage tall = test::grabPlot(plot, QSize(660, 700));
    const QRectF tallPanel = test::stackedPanels(660, 700, QuantumScarPlotWidget::layout()).upper;
    const double tallScale = std::min(tallPanel.width() / 12.0, tallPanel.height() / 6.0);
    const QPointF origin(tallPanel.center().x() - 6.0 * tallScale, tallPanel.center().y() + 3.0 * tallScale);
    for (const double side : {-1.0, 1.0})
        for (const double along : {-2.4, 0.0, 2.4}) {
            const QPointF at = origin + QPointF(along + 6.0, -(3.0 + side * 3.0)) * tallScale;
            EXPECT_TRUE(test::colourNear(tall, at, QColor(plot::kMaps.stadium), 1)) << side << " side at " << along;
            const QRect beyond(int(at.x()) - 1, side > 0 ? int(at.y()) - 40 : int(at.y()) + 4, 3, 36);
            EXPECT_EQ(test::countColour(tall, beyond, QColor(plot::kMaps.stadium)), 0) << side << " side at " << along;
        }
    const QPointF overCap = origin + QPointF(3.0 - 2.1, -6.0) * tallScale;
    EXPECT_EQ(test::countColour(tall, QRect(int(overCap.x()) - 1, int(overCap.y()) - 3, 3, int(0.6 * tallScale)),
                                QColor(plot::kMaps.stadium)),
              0)
        << "the top side runs on over the left cap";
    // The dashed axial orbit runs along the stadium's axis y = -0.2, which is a
    // cell boundary: the centre of its ink, each side blended over its own
    // cell, lies on the axis to half a pixel.
    const double axis = origin.y() - 3.0 * tallScale;
    const QRect middleHalf(QPoint(int(origin.x() + 3.0 * tallScale), int(axis) - 3),
                           QPoint(int(origin.x() + 9.0 * tallScale) - 1, int(axis) + 3));
    const test::InkCentre orbit =
        test::inkCentre(tall, middleHalf, QColor(plot::kMaps.scarOrbit), [&](const QPoint& p) {
            return QColor(tall.pixel(p.x(), p.y() + 0.5 < axis ? int(axis) - 5 : int(axis) + 5));
        });
    ASSERT_GT(orbit.ink, tallScale) << "the dashes cover a third of the middle half";
    EXPECT_NEAR(orbit.centre.y(), axis, 0.5) << "a map " << 6.0 * tallScale << " px high";
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(660, 520));
    test::expectLegendRow(texts, {"cyan:", "pink:", "yellow:"});
    // It reads just inside the curve panel's top, clear of its frame: more
    // than 2 px below it, at most 8.
    const double legendTop = test::paintedText(texts, "cyan:").box.top() -
                             test::stackedPanels(660, 520, QuantumScarPlotWidget::layout()).lower.top();
    EXPECT_GT(legendTop, 2.0);
    EXPECT_LE(legendTop, 8.0);
    // The orbit's name stands in the map's top left corner, clear of its frame.
    const QRectF label = test::paintedText(texts, "unstable axial").box;
    EXPECT_TRUE(panel.adjusted(4.0, 4.0, -4.0, -4.0).contains(label)) << label.x() << ", " << label.y();
}

// The enhancement scale tops at 1.08 times the largest enhancement, but never
// below 1.08 x 2.5, read off the numbers left of the traces where the
// fidelity's numbers on the right put the panel's top (1) and bottom (0).
TEST_F(MapPlots, ScarEnhancementScaleHasAFloor)
{
    const auto field = [](double band) {
        return test::densityField(80, 48, 0.25f, 0.2f, [=](std::uint64_t, std::uint64_t j) {
            return std::abs(cellCentre(j, 48, 0.2f) + 0.2) < 0.3 ? band : 1.5;
        });
    };
    const QSize size(660, 520);
    const QRectF curve = test::stackedPanels(size.width(), size.height(), QuantumScarPlotWidget::layout()).lower;
    for (const double band : {1.5, 200.0}) {
        ScarRecorder recorder(100);
        ASSERT_TRUE(recorder.configure(field(band), test::stadiumGeometry(0.3, 6.0), ScarConfig{true}, 1.0, 1.0));
        ASSERT_TRUE(recorder.record(0.5, field(band)) && recorder.record(1.5, field(band)));
        double largest = 0.0;
        for (const ScarSample& s : recorder.samples())
            largest = std::max({largest, s.instantaneousEnhancement, s.filteredEnhancement});
        ASSERT_EQ(largest > 2.5, band > 1.5) << "a flat density is not enhanced, a bright orbit band is";
        auto& plot = makePlot<QuantumScarPlotWidget>();
        plot.setRecorder(&recorder);
        const double top = 1.08 * (band > 1.5 ? largest : 2.5);
        const std::vector<test::PaintedText> texts = test::paintedTexts(plot, size);
        const test::AxisReading enhancement = test::readAxis(texts, curve, test::NumbersAt::Left);
        const test::AxisReading fidelity = test::readAxis(texts, curve, test::NumbersAt::Right);
        ASSERT_GE(enhancement.marks.size(), 3u) << "band density " << band;
        ASSERT_GE(fidelity.marks.size(), 3u) << "band density " << band;
        EXPECT_FALSE(std::isnan(test::roundStep(enhancement))) << "band density " << band;
        EXPECT_NEAR(enhancement.valueAt(fidelity.pixelOf(1.0)), top, 0.02 * top) << "band density " << band;
        EXPECT_NEAR(enhancement.valueAt(fidelity.pixelOf(0.0)), 0.0, 0.02 * top) << "band density " << band;
    }
    // Normalised over the 20 x 9.6 grid, a state spread evenly over its left 48 of 80
    // columns overlaps the flat start by sqrt(48 / 80): fidelity 0.6 on the right scale.
    const auto spread = [](std::uint64_t columns) {
        return test::densityField(80, 48, 0.25f, 0.2f, [=](std::uint64_t i, std::uint64_t) {
            return i < columns ? 80.0 / (192.0 * double(columns)) : 0.0;
        });
    };
    ScarRecorder recorder(100);
    ASSERT_TRUE(recorder.configure(spread(80), test::stadiumGeometry(0.3, 6.0), ScarConfig{true}, 1.0, 1.0));
    ASSERT_TRUE(recorder.record(0.5, spread(48)) && recorder.record(1.5, spread(48)));
    auto& plot = makePlot<QuantumScarPlotWidget>();
    plot.setRecorder(&recorder);
    const QImage image = test::grabPlot(plot, size);
    const test::AxisReading scale = test::readAxis(test::paintedTexts(plot, size), curve, test::NumbersAt::Right);
    ASSERT_GE(scale.marks.size(), 3u);
    const QColor panel = image.pixel(curve.center().toPoint().x(), int(curve.bottom()) - 4);
    // Its dashes' ink, under the legend and inside the frame, centres on 0.6 on the right scale.
    const QRectF traces(curve.left() + 2.0, scale.pixelOf(1.0) + 2.0, curve.width() - 4.0,
                        curve.bottom() - 2.0 - scale.pixelOf(1.0) - 2.0);
    const test::InkCentre fidelity = test::inkCentre(image, traces.toRect(), QColor(plot::kCurves.carpetFidelity),
                                                     [&](const QPoint&) { return panel; });
    EXPECT_NEAR(fidelity.centre.y(), scale.pixelOf(0.6), 1.0) << "ink " << fidelity.ink;
}

} // namespace
} // namespace vxo

#include "plots/AxisNumbers.h"
#include "plots/PlotPalette.h"
#include "plots/QuantumCrossSectionPlotWidget.h"

#include "PlotRobustness.h"
#include "PlotTestSupport.h"
#include "common/TestSupport.h"
#include "core/CrossSectionProfile.h"
#include "core/GaussianPacket2D.h"
#include "core/MomentumSpace2D.h"
#include "core/Numeric.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <vector>

namespace vxo {
namespace {

const QColor kSectionCurve(plot::kCurves.crossSection);
const QColor kSectionPlaceholder(plot::kSinglePanel.placeholder);
const QSize kSectionSize(480, 300);
const QRectF kSectionPanel = plot::panelRect(kSectionSize, QuantumCrossSectionPlotWidget::layout());

// A packet on a grid of non-square cells: 128 x 64 cells of 0.3 x 0.45.
const GaussianPacket2D kSectionPacket{1.2f, -0.9f, 2.0f, 1.5f, 0.0f, 1.0f};
ComplexField2D packetOnGrid()
{
    ComplexField2D psi(128, 64, 0.3f, 0.45f);
    GaussianPacket2D::prepare(psi, kSectionPacket);
    return psi;
}

// The packet's amplitude at (x, y), from its formula.
std::complex<double> packetAt(double x, double y)
{
    const double s = kSectionPacket.sigma;
    const double envelope = std::exp(-((x - kSectionPacket.x0) * (x - kSectionPacket.x0) +
                                       (y - kSectionPacket.y0) * (y - kSectionPacket.y0)) /
                                     (4.0 * s * s)) /
                            std::sqrt(2.0 * kPi * s * s);
    return std::polar(envelope, kSectionPacket.px * x);
}

QPointF pixelOf(double c, double v, double c0, double c1, double lo, double hi)
{
    return QPointF(kSectionPanel.left() + kSectionPanel.width() * (c - c0) / (c1 - c0),
                   kSectionPanel.bottom() - kSectionPanel.height() * (v - lo) / (hi - lo));
}

using CrossSectionPlot = test::PlotTest;

TEST_F(CrossSectionPlot, DrawsEachCurveOfAGaussianSectionThroughItsValues)
{
    const ComplexField2D psi = packetOnGrid();
    const CrossSectionProfile section = extractCrossSection(psi, 0, kSectionPacket.y0);
    ASSERT_EQ(section.coordinate.size(), 128u);
    const double y = section.snappedCoordinate;

    auto& plot = makePlot<QuantumCrossSectionPlotWidget>();
    plot.setSection(section);
    for (int mode = 0; mode <= 3; ++mode) {
        plot.setDisplayMode(mode);
        const QImage image = test::grabPlot(plot, kSectionSize);
        // The curve of the mode from the packet's formula at every cell centre.
        std::vector<double> values;
        for (const double x : section.coordinate) {
            const std::complex<double> a = packetAt(x, y);
            values.push_back(mode == 0   ? std::norm(a)
                             : mode == 1 ? a.real()
                             : mode == 2 ? a.imag()
                                         : std::remainder(kSectionPacket.px * x, 2 * kPi));
        }
        const auto [smallest, largest] = std::minmax_element(values.begin(), values.end());
        const double lo = mode == 3 ? -kPi : mode == 0 ? 0.0 : std::min(*smallest, 0.0);
        const double hi = mode == 3 ? kPi : std::max(*largest, 0.0);
        // Cells around the centre, where the amplitude is large enough for a steady phase.
        for (std::size_t i = 56; i <= 78; i += 2) {
            const QPointF at = pixelOf(section.coordinate[i], values[i], section.coordinate.front(),
                                       section.coordinate.back(), lo, hi);
            EXPECT_TRUE(test::colourNear(image, at, kSectionCurve, 1)) << "mode " << mode << ", cell " << i;
        }
        EXPECT_EQ(test::countColourOutside(image, kSectionPanel.toAlignedRect().adjusted(-2, -2, 2, 2), kSectionCurve),
                  0)
            << "mode " << mode << " leaves the frame";
    }
    // |psi|^2 peaks at the packet's centre, at the top of its range.
    plot.setDisplayMode(0);
    const QImage density = test::grabPlot(plot, kSectionSize);
    const double peakX = kSectionPanel.left() + kSectionPanel.width() *
                                                    (kSectionPacket.x0 - section.coordinate.front()) /
                                                    (section.coordinate.back() - section.coordinate.front());
    EXPECT_TRUE(test::colourNear(density, QPointF(peakX, kSectionPanel.top()), kSectionCurve, 2))
        << "peak away from x0";
}

TEST_F(CrossSectionPlot, MomentumDensityPeaksAtThePacketMomentumOnAnAscendingAxis)
{
    const MomentumSpace2D momentum = MomentumSpace2D::compute(packetOnGrid(), 1.0);
    const CrossSectionProfile section = MomentumSpace2D::crossSection(momentum, 0, 0.0);
    ASSERT_GE(section.coordinate.size(), 2u);
    auto& plot = makePlot<QuantumCrossSectionPlotWidget>();
    plot.setMomentumSpace(true);
    plot.setDisplayMode(0);
    plot.setSection(section);
    const QImage image = test::grabPlot(plot, kSectionSize);

    const double p0 = section.coordinate.front();
    const double p1 = section.coordinate.back();
    ASSERT_LT(p0, p1);
    // The density exp(-(p - px)^2 / (2 sigma_p^2)), sigma_p = hbar / (2 sigma), is
    // at its top at px and at exp(-1/2) of it one sigma_p away.
    const double sigmaP = 1.0 / (2.0 * kSectionPacket.sigma);
    for (const auto& [p, share] : std::vector<std::pair<double, double>>{{kSectionPacket.px, 1.0},
                                                                         {kSectionPacket.px + sigmaP, std::exp(-0.5)},
                                                                         {kSectionPacket.px - sigmaP, std::exp(-0.5)}})
        EXPECT_TRUE(test::colourNear(image, pixelOf(p, share, p0, p1, 0.0, 1.0), kSectionCurve, 2)) << "p = " << p;
    EXPECT_FALSE(test::colourNear(image, pixelOf(-kSectionPacket.px, 1.0, p0, p1, 0.0, 1.0), kSectionCurve, 3))
        << "the peak must not be mirrored to -px";
}

TEST_F(CrossSectionPlot, ShowsThePlaceholderOnlyWithoutCoordinates)
{
    CrossSectionProfile one;
    one.append(Complex(1.0f, 0.0f), 0.5);
    CrossSectionProfile mismatched = extractCrossSection(packetOnGrid(), 1, 0.0);
    mismatched.real.pop_back();
    struct Case {
        const char* name;
        CrossSectionProfile section;
        int mode;
        bool placeholder;
        bool curve;
    };
    // Two points are the fewest that make a line.
    CrossSectionProfile two = one;
    two.append(Complex(0.4f, 0.3f), 1.25);
    const std::vector<Case> cases{
        {"never fed", CrossSectionProfile(), 0, true, false},
        {"one point", one, 0, false, false},
        {"two points", two, 1, false, true},
        {"real part shorter than the coordinates", mismatched, 1, false, false},
    };
    for (const Case& c : cases) {
        auto& plot = makePlot<QuantumCrossSectionPlotWidget>();
        plot.setSection(c.section);
        plot.setDisplayMode(c.mode);
        const QImage image = test::grabPlot(plot, kSectionSize);
        EXPECT_EQ(test::countColour(image, kSectionPanel.toAlignedRect(), kSectionPlaceholder, 0) > 0, c.placeholder)
            << c.name;
        EXPECT_EQ(test::countColour(image, image.rect(), kSectionCurve) > 0, c.curve) << c.name << ": the curve";
    }
}

// The columns of the vertical grid lines of a section's plot: its round
// coordinates along the panel.
std::vector<int> gridColumns(const QWidget& plot, const CrossSectionProfile& section)
{
    const double c0 = section.coordinate.front();
    const double c1 = section.coordinate.back();
    std::vector<int> columns;
    for (const double v : plot::horizontalTicks(c0, c1, kSectionPanel.width(), plot.font()).values)
        columns.push_back(qRound(kSectionPanel.left() + kSectionPanel.width() * (v - c0) / (c1 - c0)));
    return columns;
}

// Steps in brightness along the row at share of the panel height, away
// from the vertical grid lines: a dashed line makes many, a plain grid line
// or an empty row none.
int dashSteps(const QImage& image, double share, std::vector<int> columns)
{
    const int y = qRound(kSectionPanel.bottom() - share * kSectionPanel.height());
    columns.insert(columns.begin(), int(kSectionPanel.left()));
    columns.push_back(int(kSectionPanel.right()));
    int most = 0;
    for (int row = y - 1; row <= y + 1; ++row) {
        int steps = 0;
        for (std::size_t k = 0; k + 1 < columns.size(); ++k)
            if (columns[k + 1] - columns[k] > 8)
                steps += test::brightnessSteps(image, QPoint(columns[k] + 4, row), QPoint(columns[k + 1] - 4, row));
        most = std::max(most, steps);
    }
    return most;
}

CrossSectionProfile sectionOf(const std::vector<double>& values)
{
    CrossSectionProfile s;
    for (std::size_t i = 0; i < values.size(); ++i)
        s.append(Complex(float(values[i]), 0.0f), 0.25 * double(i));
    return s;
}

TEST_F(CrossSectionPlot, ZeroLineAndPaddingFollowTheRangeRules)
{
    CrossSectionProfile positive = sectionOf(std::vector<double>(20, 0.0));
    for (std::size_t i = 0; i < positive.density.size(); ++i)
        positive.density[i] = 5.0 + double(i % 3); // far above 0: the range still starts at 0
    CrossSectionProfile signedReal = sectionOf({-1.0, 3.0, -1.0, 3.0, -1.0, 3.0});
    CrossSectionProfile phase = sectionOf(std::vector<double>(8, 0.0));
    phase.phase.assign(8, 0.5);
    const double none = std::numeric_limits<double>::quiet_NaN();
    CrossSectionProfile noFinite = sectionOf(std::vector<double>(20, 0.0));
    noFinite.density.assign(20, none);
    struct Case {
        const char* name;
        CrossSectionProfile section;
        int mode;
        double zeroShare;  // where the dashed zero line lies (NaN: no line)
        double firstShare; // height of the first point within the panel (NaN: no curve)
    };
    const std::vector<Case> cases{
        // A flat curve lies on its zero line, at mid-height of [-0.5, 0.5].
        {"zero density", sectionOf(std::vector<double>(20, 0.0)), 0, none, 0.5},
        {"zero real part", sectionOf(std::vector<double>(20, 0.0)), 1, none, 0.5},
        {"signed real part", signedReal, 1, 0.25, 0.0},
        {"phase", phase, 3, 0.5, (0.5 + kPi) / (2 * kPi)},
        {"positive density", positive, 0, none, 5.0 / 7.0},
        // Nothing to draw, ranged like zeros: the zero line bare at mid-height.
        {"no finite density", noFinite, 0, 0.5, none},
    };
    for (const Case& c : cases) {
        auto& plot = makePlot<QuantumCrossSectionPlotWidget>();
        plot.setSection(c.section);
        plot.setDisplayMode(c.mode);
        const QImage image = test::grabPlot(plot, kSectionSize);
        const std::vector<int> columns = gridColumns(plot, c.section);
        if (std::isnan(c.zeroShare)) {
            for (const double share : {0.0, 0.25, 0.5})
                EXPECT_EQ(dashSteps(image, share, columns), 0) << c.name << " at height " << share;
        } else {
            EXPECT_GT(dashSteps(image, c.zeroShare, columns), 40) << c.name;
        }
        // A density's bottom edge is the frame's, solid: only the grid lines
        // meeting it change its colour, where a dashed zero line laid on it
        // would change it often.
        const int changes = test::changesNearRow(image, qRound(kSectionPanel.bottom()), int(kSectionPanel.left()) + 4,
                                                 int(kSectionPanel.right()) - 4);
        EXPECT_TRUE(c.mode != 0 || changes <= int(columns.size()) * 2 * 3)
            << c.name << ": " << changes << " colour changes along the bottom edge";
        const QPointF first(kSectionPanel.left() + 1.0, kSectionPanel.bottom() - c.firstShare * kSectionPanel.height());
        if (std::isnan(c.firstShare))
            EXPECT_EQ(test::countColour(image, kSectionPanel.toRect(), kSectionCurve, 0), 0) << c.name;
        else
            EXPECT_TRUE(test::colourNear(image, first, kSectionCurve, 1)) << c.name;
    }
}

TEST_F(CrossSectionPlot, RepaintsOnEverySetterButAnUnchangedMomentumFlag)
{
    auto& plot = makePlot<QuantumCrossSectionPlotWidget>();
    EXPECT_TRUE(test::repaintsAfter(plot, [&] { plot.setDisplayMode(0); })) << "the same mode still repaints";
    EXPECT_TRUE(test::repaintsAfter(plot, [&] { plot.setSection(CrossSectionProfile()); }));
    EXPECT_FALSE(test::repaintsAfter(plot, [&] { plot.setMomentumSpace(false); })) << "unchanged flag";
    EXPECT_TRUE(test::repaintsAfter(plot, [&] { plot.setMomentumSpace(true); }));
}

} // namespace

namespace test {
template <>
struct PlotFeeds<QuantumCrossSectionPlotWidget> {
    static std::vector<PlotFeed<QuantumCrossSectionPlotWidget>> all()
    {
        using Plot = QuantumCrossSectionPlotWidget;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        CrossSectionProfile broken = extractCrossSection(packetOnGrid(), 0, 0.0);
        for (std::size_t i = 0; i < broken.density.size(); i += 7) {
            broken.density[i] = nan;
            broken.real[i] = inf;
            broken.imaginary[i] = -inf;
            broken.phase[i] = nan;
        }
        CrossSectionProfile allNan = broken;
        std::fill(allNan.density.begin(), allNan.density.end(), nan);
        CrossSectionProfile one;
        one.append(Complex(1.0f, 1.0f), 0.0);
        CrossSectionProfile farCoordinates = extractCrossSection(packetOnGrid(), 1, 0.0);
        farCoordinates.coordinate.front() = -std::numeric_limits<double>::max();
        farCoordinates.coordinate.back() = std::numeric_limits<double>::max();
        return {
            {"one point", [one](Plot& p) { p.setSection(one); }},
            {"packet", [](Plot& p) { p.setSection(extractCrossSection(packetOnGrid(), 1, 0.0)); }},
            {"NaN and infinities in every mode",
             [broken](Plot& p) {
                 p.setSection(broken);
                 p.setDisplayMode(2);
             }},
            {"no finite density", [allNan](Plot& p) { p.setSection(allNan); }},
            beyondLegibility<Plot>({"coordinates at the double range",
                                    [farCoordinates](Plot& p) {
                                        p.setSection(farCoordinates);
                                        p.setDisplayMode(1);
                                    }}),
            {"unknown mode in momentum space",
             [broken](Plot& p) {
                 p.setSection(broken);
                 p.setDisplayMode(9);
                 p.setMomentumSpace(true);
             }},
        };
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(CrossSection, PlotRobustness, QuantumCrossSectionPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(CrossSection, PlotLegibility, QuantumCrossSectionPlotWidget);
} // namespace test

} // namespace vxo

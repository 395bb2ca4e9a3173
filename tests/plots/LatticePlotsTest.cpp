#include "experiments/AndersonRecorder.h"
#include "experiments/KickedRotorRecorder.h"
#include "experiments/ZenoRecorder.h"
#include "plots/PlotPalette.h"
#include "plots/QuantumAndersonPlotWidget.h"
#include "plots/QuantumKickedRotorPlotWidget.h"
#include "plots/QuantumZenoPlotWidget.h"

#include "AxisReading.h"
#include "PaintedTexts.h"
#include "PlotTestSupport.h"
#include "RecorderPlotFixtures.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace vxo {
namespace {

using test::cellPixel;
using test::lineCentres;

const QColor kLatticeBackdrop(plot::kRecorder.latticeBackground);
const QColor kCyan(plot::kLattice.curve);

// How many pixels of region differ between the image and the text drawn
// alone on the backdrop, in the plot's font, with the plot's flags.
int textMismatch(const QImage& image, const QWidget& plot, const QRect& box, int flags, const QString& text)
{
    QImage alone(image.size(), QImage::Format_RGB32);
    alone.fill(kLatticeBackdrop);
    {
        QPainter painter(&alone);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(plot.font());
        painter.setPen(QColor(plot::kRecorder.latticeText));
        painter.drawText(QRectF(box), flags, text);
    }
    int differing = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            differing += image.pixel(x, y) == alone.pixel(x, y) ? 0 : 1;
    return differing;
}

KickedRotorRecorder configuredRotor(std::uint64_t capacity, double strength = 6.0)
{
    KickedRotorConfig kick;
    kick.enabled = true;
    kick.phaseStrength = strength;
    KickedRotorRecorder recorder(capacity);
    recorder.configure(kick, KickedRotorInitialStateConfig{}, 0.3);
    EXPECT_TRUE(recorder.isConfigured());
    return recorder;
}

// The mode carpet's ramp as the plot states it, from deep blue to white.
QColor modeColour(double v)
{
    if (v < 0.25)
        return QColor(8, int(25 + 80 * 4 * v), int(45 + 150 * 4 * v));
    if (v < 0.55) {
        const double s = (v - 0.25) / 0.3;
        return QColor(int(15 + 30 * s), int(105 + 120 * s), 210);
    }
    if (v < 0.8) {
        const double s = (v - 0.55) * 4;
        return QColor(int(45 + 205 * s), int(225 - 40 * s), int(210 - 150 * s));
    }
    const double s = (v - 0.8) / 0.2;
    return QColor(250, int(185 + 70 * s), int(60 + 195 * s));
}

using LatticePlots = test::PlotTest;

TEST_F(LatticePlots, KickedRotorCarpetColoursEachModeByItsShareOfTheLargestProbability)
{
    KickedRotorRecorder recorder = configuredRotor(16);
    recorder.record(test::momentumModes({0, 0, 1, 9, 1, 0, 0, 0}), 0, 0.0);
    recorder.record(test::momentumModes({0.2, 1, 2, 3, 2, 1, 0.5, 0.3}), 1, 1.0);
    recorder.record(test::momentumModes({1, 2, 3, 2, 1, 1}), 2, 2.0); // shorter: its last two cells stay background
    auto& plot = makePlot<QuantumKickedRotorPlotWidget>();
    plot.setRecorder(&recorder);
    const QImage image = test::grabPlot(plot, QSize(600, 520));
    const int h1 = std::max((520 - 118) * 3 / 5, 120);
    const QRectF carpet(58, 48, 600 - 76, h1);

    double pmax = 0.0;
    for (const KickedRotorSample& s : recorder.samples())
        for (const float p : s.distribution)
            pmax = std::max(pmax, double(p));
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 8; ++i) {
            const std::vector<float>& p = recorder.samples()[std::size_t(k)].distribution;
            const QColor expected =
                std::size_t(i) < p.size() ? modeColour(std::sqrt(p[std::size_t(i)] / pmax)) : kLatticeBackdrop;
            EXPECT_TRUE(test::colourNear(image, cellPixel(carpet, i, k, 8, 3), expected, 0, 1))
                << "kick " << k << ", mode column " << i;
        }
    EXPECT_TRUE(test::colourNear(image, cellPixel(carpet, 3, 0, 8, 3), QColor(250, 255, 255), 0, 1))
        << "the largest probability is white";

    // Eight columns from the newest sample's first mode: modes -3 to -3 + 7 under the carpet's corners.
    QStringList modeLabels;
    for (const test::PaintedText& t : test::paintedTexts(plot, QSize(600, 520)))
        if (t.text.startsWith(QStringLiteral("n="))) {
            modeLabels << t.text;
            const bool left = t.text == QStringLiteral("n=-3");
            EXPECT_NEAR(left ? t.box.left() : t.box.right(), left ? carpet.left() : carpet.right(), 1.0)
                << t.text.toStdString();
        }
    EXPECT_EQ(modeLabels, QStringList({QStringLiteral("n=-3"), QStringLiteral("n=4")}));
    // A kick recorded from an empty momentum space has no modes: no carpet and none of its labels.
    KickedRotorRecorder modeless = configuredRotor(4);
    modeless.record(MomentumSpace2D{}, 0, 0.0);
    ASSERT_EQ(modeless.samples().size(), 1u);
    plot.setRecorder(&modeless);
    for (const test::PaintedText& t : test::paintedTexts(plot, QSize(600, 520)))
        EXPECT_FALSE(t.text.startsWith(QStringLiteral("n=")) || t.text.startsWith(QStringLiteral("kick ")))
            << t.text.toStdString();
}

TEST_F(LatticePlots, KickedRotorRowsAreLabelledWithTheKicksTheyShow)
{
    KickedRotorRecorder recorder = configuredRotor(4);
    for (std::uint64_t kick = 0; kick <= 6; ++kick)
        recorder.record(test::momentumModes({1, 2, double(kick), 1}), kick, double(kick));
    ASSERT_EQ(recorder.samples().front().kickCount, 3u) << "the recorder keeps kicks 3 to 6";
    auto& plot = makePlot<QuantumKickedRotorPlotWidget>();
    plot.setRecorder(&recorder);
    const QImage image = test::grabPlot(plot, QSize(600, 520));
    const QRect labels(4, 48, 50, std::max((520 - 128) * 3 / 5, 120));
    const QRect top(labels.left(), labels.top(), labels.width(), 22);
    const QRect bottom(labels.left(), labels.bottom() - 21, labels.width(), 22);
    const int topFlags = Qt::AlignRight | Qt::AlignTop;
    EXPECT_EQ(textMismatch(image, plot, top, topFlags, QStringLiteral("kick 3")), 0) << "the oldest kept kick";
    EXPECT_GT(textMismatch(image, plot, top, topFlags, QStringLiteral("kick 0")), 0);
    EXPECT_EQ(textMismatch(image, plot, bottom, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("kick 6")), 0);

    // Each panel's title stands on the line just above it.
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(600, 520));
    for (const auto& [title, panelTop] : {std::pair{"Stroboscopic momentum carpet", labels.top()},
                                          std::pair{"Momentum diffusion:", labels.bottom() + 41}}) {
        const test::PaintedText t = test::paintedText(texts, QString::fromLatin1(title));
        EXPECT_NEAR(t.box.top(), panelTop - 20, 2.0) << title;
        EXPECT_LE(t.box.bottom(), panelTop + 1) << title;
        EXPECT_NEAR(t.box.left(), 58, 1.0) << title;
    }
}

// Modes -2..2: <n^2> = 8 w / (2 w + 1) for weights (w, 0, 1, 0, w), 2 v / (2 v + 1)
// for (0, v, 1, v, 0); a kick of 0.4 keeps the classical <n^2> near 0.08 per kick.
TEST_F(LatticePlots, KickedRotorDiffusionScaleIsTheLargestMeanSquareModeButAtLeastOne)
{
    const int h1 = (520 - 128) * 3 / 5;
    const QRectF series(58, h1 + 88, 600 - 76, 520 - 128 - h1);
    for (const auto& [w, v, scale] : {std::tuple{0.1, 0.3, 1.0}, {1.5, 0.8, 3.0}}) {
        KickedRotorRecorder recorder = configuredRotor(8, 0.4);
        recorder.record(test::momentumModes({w, 0, 1, 0, w}), 1, 1.0);
        recorder.record(test::momentumModes({0, v, 1, v, 0}), 2, 2.0);
        ASSERT_LT(recorder.samples().back().classicalMeanSquareMode, 0.5);
        auto& plot = makePlot<QuantumKickedRotorPlotWidget>();
        plot.setRecorder(&recorder);
        const QImage image = test::grabPlot(plot, QSize(600, 520));
        // The scale, the largest <n^2> but at least 1, is its top number,
        // and the series is read through the numbers.
        const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(600, 520));
        const test::AxisReading spreads = test::readAxis(texts, series, test::NumbersAt::Left);
        const test::AxisReading kicks = test::readAxis(texts, series, test::NumbersAt::Under);
        ASSERT_GE(spreads.marks.size(), 3u) << w;
        ASSERT_GE(kicks.marks.size(), 2u) << w;
        EXPECT_FALSE(std::isnan(test::roundStep(spreads))) << w;
        double top = 0.0;
        for (const auto& mark : spreads.marks)
            top = std::max(top, mark.second);
        EXPECT_DOUBLE_EQ(top, scale) << w;
        const double last = 2 * v / (2 * v + 1);
        const QPointF end(kicks.pixelOf(2.0) - 1.0, spreads.pixelOf(last));
        EXPECT_TRUE(test::colourNear(image, end, kCyan)) << "the quantum series ends at the last kick, scale " << scale;
    }
}

// The Anderson fixture: 48 x 20 cells of 0.25 x 0.5 and rows at y = 2.5
// (clean) and -2.5.
ComplexField2D lanes(double width)
{
    return test::fieldOf(48, 20, 0.25f, 0.5f, [&](double x, double y) {
        return test::packetAmplitude(x, y, -1.0, 2.5, 0.4 * width, 0.0) +
               test::packetAmplitude(x, y, 1.0, -2.5, 0.3, 0.0);
    });
}

TEST_F(LatticePlots, AndersonPanelsShowTheSitesTheProfilesAndTheSpreadsFromTimeZero)
{
    AndersonRecorder recorder(16);
    recorder.configure(AndersonInitialStateConfig{}, test::andersonLattice({-3.0, -1.5, 0.0, 1.5, 3.0}, 1.5));
    for (int k = 1; k <= 3; ++k)
        recorder.record(0.5 * k, lanes(k));
    auto& plot = makePlot<QuantumAndersonPlotWidget>();
    plot.setRecorder(&recorder, 1.0, 1.0);
    const QImage image = test::grabPlot(plot, QSize(560, 520));
    const int h = std::max((520 - 118) / 2, 90);
    const QRect profile(54, 44, 560 - 72, h);
    const QRect spread(54, h + 78, 560 - 72, h);

    // Sites from -3 to 3, the range widened by 0.75 spacings: [-4.125, 4.125].
    const std::vector<double> sites = lineCentres(image, profile.adjusted(3, 30, -3, -3), true, kLatticeBackdrop,
                                                  QColor(plot::kRecorder.latticeFrame));
    ASSERT_EQ(sites.size(), 5u);
    for (int s = 0; s < 5; ++s) {
        EXPECT_NEAR(sites[std::size_t(s)],
                    std::lround(profile.left() + (1.5 * (s - 2) + 4.125) / 8.25 * profile.width()), 1.0)
            << "site " << s;
        // A hairline: on a dot, away from the lanes' curves, its ink summed
        // across a row is one pixel.
        const int at = int(std::lround(sites[std::size_t(s)]));
        const auto onCurve = [&](int y) {
            for (int c = at - 4; c <= at + 4; ++c)
                for (const QColor& lane : {kCyan, QColor(plot::kLattice.disordered)})
                    if (test::inkShare(image.pixel(c, y), kLatticeBackdrop, lane) > 0.0)
                        return true;
            return false;
        };
        EXPECT_NEAR(test::widestRuleInk(image, at, 3, profile.top() + 30, profile.bottom() - 3, kLatticeBackdrop,
                                        QColor(plot::kRecorder.latticeFrame), onCurve),
                    1.0, 0.35)
            << "site " << s << " line's width";
    }
    const AndersonSample& last = recorder.samples().back();
    const std::vector<float>& clean = last.clean.profile;
    const std::size_t peak = std::size_t(std::max_element(clean.begin(), clean.end()) - clean.begin());
    float pmax = 0.0f;
    for (const std::vector<float>* p : {&last.clean.profile, &last.disordered.profile})
        pmax = std::max(pmax, *std::max_element(p->begin(), p->end()));
    const double x = last.clean.profileOriginX + double(peak) * last.clean.profileDx;
    EXPECT_TRUE(test::colourNear(image,
                                 QPointF(profile.left() + (x + 4.125) / 8.25 * profile.width(),
                                         profile.bottom() - clean[peak] / pmax * profile.height()),
                                 kCyan))
        << "the clean profile's peak";

    // The spreads read through their numbers: the widths left of the panel,
    // the times, from 0, under it; the last time above the curves.
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(560, 520));
    const test::AxisReading widths = test::readAxis(texts, spread, test::NumbersAt::Left);
    const test::AxisReading times = test::readAxis(texts, spread, test::NumbersAt::Under);
    ASSERT_GE(widths.marks.size(), 3u);
    ASSERT_GE(times.marks.size(), 3u);
    EXPECT_FALSE(std::isnan(test::roundStep(widths)));
    EXPECT_FALSE(std::isnan(test::roundStep(times)));
    EXPECT_NEAR(times.pixelOf(0.0), spread.left(), 1.5) << "the time axis starts at 0";
    EXPECT_TRUE(test::colourNear(image, QPointF(times.pixelOf(1.5) - 1, widths.pixelOf(last.clean.sigmaX)), kCyan))
        << "the clean spread ends at the last time";
    EXPECT_FALSE(test::colourNear(
        image, QPointF(times.pixelOf(0.5) - 8, widths.pixelOf(recorder.samples().front().clean.sigmaX)), kCyan, 2))
        << "the first sample at t = 0.5 lies a third of the way in";
    const test::PaintedText timeText = test::paintedText(texts, QStringLiteral("t="));
    EXPECT_EQ(timeText.text, QStringLiteral("t=1.5"));
    EXPECT_TRUE(spread.contains(timeText.box.toRect()) && timeText.box.bottom() < widths.pixelOf(0.0))
        << "the last time above the spreads";

    // One site and no spacing leave no x range: the profile panel stays empty.
    recorder.configure(AndersonInitialStateConfig{}, test::andersonLattice({0.0}, 0.0));
    recorder.record(1.0, lanes(1));
    recorder.record(2.0, lanes(2));
    const QImage single = test::grabPlot(plot, QSize(560, 520));
    EXPECT_EQ(test::countColour(single, profile.adjusted(2, 2, -2, -2), kCyan, 20), 0);
    EXPECT_GT(test::countColour(single, spread, kCyan, 20), 0) << "the spread panel is still drawn";

    // Sites whose range, widened by 0.75 spacings, ends exactly on profile
    // samples 4 and 44: both end samples belong to the curve, so the lanes
    // (the disordered one drawn last, both near 0 there) reach both panel edges.
    const double origin = recorder.samples().back().clean.profileOriginX;
    const double step = recorder.samples().back().clean.profileDx;
    const double xmin = origin + 4 * step;
    const double xmax = origin + 44 * step;
    recorder.configure(AndersonInitialStateConfig{}, test::andersonLattice({xmin + 1.125, 0.0, xmax - 1.125}, 1.5));
    recorder.record(1.0, lanes(1));
    const AndersonSample& ended = recorder.samples().back();
    ASSERT_DOUBLE_EQ(ended.clean.profileOriginX, origin);
    ASSERT_DOUBLE_EQ(ended.clean.profileDx, step);
    float endMax = 0.0f;
    for (const std::vector<float>* p : {&ended.clean.profile, &ended.disordered.profile})
        endMax = std::max(endMax, *std::max_element(p->begin(), p->end()));
    const QImage bounded = test::grabPlot(plot, QSize(560, 520));
    for (const auto& [sample, x] : {std::pair{std::size_t(4), double(profile.left())},
                                    std::pair{std::size_t(44), double(profile.left() + profile.width())}})
        EXPECT_TRUE(test::colourNear(
            bounded, QPointF(x, profile.bottom() - ended.disordered.profile[sample] / endMax * profile.height()),
            QColor(plot::kLattice.disordered), 1))
            << "the profile sample exactly at the " << (sample == 4 ? "left" : "right") << " end";
    // and the samples beyond them do not: no lane runs out of the panel on either side.
    for (const int x : {profile.left() - 14, profile.right() + 2})
        for (const QColor& lane : {kCyan, QColor(plot::kLattice.disordered)})
            EXPECT_EQ(test::countColour(bounded, QRect(x, profile.top(), 12, profile.height() + 4), lane, 20), 0)
                << "a lane beyond the panel at x = " << x;
}

TEST_F(LatticePlots, ZenoPanelsShowTheMeasuredSurvivalAndTheProfilesWithTheMeasurementEdge)
{
    ZenoConfig config;
    config.enabled = true;
    config.survivalBoundaryX = 1.0;
    const ComplexField2D field = test::fieldOf(32, 16, 0.5f, 1.25f, [](double x, double y) {
        return test::packetAmplitude(x, y, -2.0, 4.8, 0.8, 0.0) + test::packetAmplitude(x, y, -2.0, -4.8, 0.8, 0.0);
    });
    ZenoRecorder recorder(16);
    recorder.configure(config, ZenoInitialStateConfig{}, field);
    ASSERT_TRUE(recorder.isConfigured());
    const std::vector<double> measured{1.0, 0.9, 0.7, 0.55};
    for (std::size_t k = 0; k < measured.size(); ++k)
        recorder.record(double(k), field, k, measured[k]);
    auto& plot = makePlot<QuantumZenoPlotWidget>();
    plot.setRecorder(&recorder, test::laneProfiles(17, 0.5));
    const QImage image = test::grabPlot(plot, QSize(580, 540));
    const int h = std::max((540 - 116) / 2, 95);
    const QRect survival(58, 48, 580 - 78, h);
    const QRect profiles(58, h + 86, 580 - 78, h);

    const std::vector<test::PaintedText> read = test::paintedTexts(plot, QSize(580, 540));
    const test::AxisReading survivals = test::readAxis(read, survival, test::NumbersAt::Left);
    const test::AxisReading times = test::readAxis(read, survival, test::NumbersAt::Under);
    ASSERT_GE(survivals.marks.size(), 3u);
    ASSERT_GE(times.marks.size(), 3u);
    EXPECT_FALSE(std::isnan(test::roundStep(survivals)));
    EXPECT_FALSE(std::isnan(test::roundStep(times)));
    EXPECT_TRUE(test::colourNear(image, QPointF(times.pixelOf(3.0) - 1.0, survivals.pixelOf(0.55)), kCyan))
        << "the watched curve is the product of the measured survival fractions";
    const std::vector<double> edge =
        lineCentres(image, profiles.adjusted(2, 24, -2, -2), true, kLatticeBackdrop, QColor(plot::kLattice.edge));
    ASSERT_EQ(edge.size(), 1u);
    EXPECT_NEAR(edge[0], std::lround(profiles.left() + 5.0 / 8.0 * profiles.width()), 1.0) << "the edge at x = 1";
    EXPECT_TRUE(test::colourNear(
        image, QPointF(profiles.left() + 3.0 / 8.0 * profiles.width(), profiles.bottom() - profiles.height()),
        QColor(plot::kLattice.control)))
        << "the control profile's peak at x = -1 reaches the top";
    // The profiles' x range, -4 .. -4 + 16 x 0.5, numbered under the panel,
    // wholly below its frame's row (profiles.bottom() + 1) and within the widget.
    const std::vector<test::PaintedText> captions = test::paintedTexts(plot, QSize(580, 540));
    // The legend's first line reads just inside the survival panel's top,
    // clear of its frame: more than 2 px below it, at most 8.
    const double legendTop = test::paintedText(captions, "upper control").box.top() - survival.top();
    EXPECT_GT(legendTop, 2.0);
    EXPECT_LE(legendTop, 8.0);
    const test::AxisReading positions = test::readAxis(captions, profiles, test::NumbersAt::Under);
    ASSERT_GE(positions.marks.size(), 3u);
    EXPECT_FALSE(std::isnan(test::roundStep(positions)));
    EXPECT_NEAR(positions.pixelOf(-4.0), profiles.left(), 1.5);
    EXPECT_NEAR(positions.pixelOf(4.0), profiles.left() + profiles.width(), 1.5);
    for (const test::PaintedText& t : captions) {
        bool number = false;
        t.text.toDouble(&number);
        if (number && t.box.top() > profiles.bottom()) {
            EXPECT_GT(t.box.top(), profiles.bottom() + 1.5) << t.text.toStdString() << " over the frame";
            EXPECT_LE(t.box.bottom(), 540.0) << t.text.toStdString();
        }
    }
    // The edge and its name only where the profiles reach x = 1: before their
    // first point, at it, on the panel's last pixel column (the 8 wide span
    // over its width), and past their last one.
    const double lastColumn = 1.0 - 8.0 * (profiles.width() - 1) / profiles.width();
    for (const auto& [origin, drawn] :
         {std::pair{1.5, false}, std::pair{1.0, true}, std::pair{lastColumn, true}, std::pair{-9.0, false}}) {
        plot.setRecorder(&recorder, test::laneProfiles(17, 0.5, origin));
        const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(580, 540));
        const auto named = [](const test::PaintedText& t) { return t.text == QStringLiteral("measurement edge"); };
        EXPECT_EQ(std::count_if(texts.begin(), texts.end(), named), drawn ? 1 : 0) << "profiles from x = " << origin;
    }

    // One profile point spans no x range, and lanes of unequal length share
    // none: the panel stays empty.
    auto uneven = test::laneProfiles(17, 0.5);
    uneven.watched.pop_back();
    for (const auto& lanes : {test::laneProfiles(1, 0.5), uneven}) {
        plot.setRecorder(&recorder, lanes);
        const QImage empty = test::grabPlot(plot, QSize(580, 540));
        for (const QColor& colour : {QColor(plot::kLattice.edge), QColor(plot::kLattice.control), kCyan})
            EXPECT_EQ(test::countColour(empty, profiles.adjusted(2, 2, -2, -2), colour, 20), 0)
                << lanes.control.size() << " and " << lanes.watched.size() << " points";
    }
}

// The widget titles and the placeholders of the lattice plots are centred on
// the widget, whatever its size: each painted run of text has its middle at
// the widget's middle.
TEST_F(LatticePlots, TitlesAndPlaceholdersAreCentredOnTheWidget)
{
    struct Plot {
        const char* name;
        QWidget* widget;
        const char* title;
        const char* placeholder;
    };
    for (const Plot& p : std::vector<Plot>{
             {"Anderson", &makePlot<QuantumAndersonPlotWidget>(), "Anderson localization:", "Run the Anderson"},
             {"kicked rotor", &makePlot<QuantumKickedRotorPlotWidget>(),
              "Quantum kicked rotor:", "Run the Quantum Kicked"},
             {"Zeno", &makePlot<QuantumZenoPlotWidget>(), "Quantum Zeno effect:", "Run the Quantum Zeno"}})
        for (const QSize& size : {QSize(720, 430), QSize(910, 515)}) {
            const std::vector<test::PaintedText> texts = test::paintedTexts(*p.widget, size);
            const test::PaintedText title = test::paintedText(texts, QString::fromLatin1(p.title));
            const test::PaintedText placeholder = test::paintedText(texts, QString::fromLatin1(p.placeholder));
            ASSERT_LT(title.box.width(), size.width() - 40) << p.name << ": the title fits with room on both sides";
            EXPECT_NEAR(title.box.center().x(), size.width() / 2.0, 1.0) << p.name << " title at " << size.width();
            EXPECT_LT(title.box.top(), 12) << p.name << " title on the first line";
            EXPECT_NEAR(placeholder.box.center().x(), size.width() / 2.0, 1.0) << p.name << " placeholder";
            EXPECT_NEAR(placeholder.box.center().y(), size.height() / 2.0, 1.5) << p.name << " placeholder";
        }
}

} // namespace
} // namespace vxo

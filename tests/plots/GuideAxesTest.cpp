// The plots a guide points at, read as a class reads them: each axis the
// guide's figures are read on carries numbers at round values, one round
// step apart, and at the data points the guide names the curve shows where
// those numbers put it, no text or patch over it, at plot sizes from a small
// dock to a wide screen.

#include "plots/QuantumKleinTunnelingPlotWidget.h"

#include "experiments/DiracKleinRecorder.h"

#include "AxisReading.h"
#include "PaintedTexts.h"
#include "PlotTestSupport.h"
#include "RecorderPlotSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::NumbersAt;

// A value a guide reads: where it lies on the two numbered axes and the
// colour of the curve that passes there.
struct Reading {
    std::string what;
    double x;
    double y;
    QColor colour;
};

// A page as a test feeds it: the plot with its data (owned by the host),
// the panel whose axes are read at a size, and the readings.
struct GuidePage {
    std::string name;
    std::function<QWidget*(QWidget& host)> make;
    std::function<QRectF(QWidget& plot, const QSize& size)> panel;
    std::vector<Reading> readings;
};

// The sizes a plot is given: a small dock, the docks of a 1024 x 768 to
// 1920 x 1080 window and a wide screen's.
const std::vector<QSize> kSizes{{420, 260}, {560, 300}, {720, 470}, {1000, 640}, {1400, 520}};

// Reads the page at each size: both axes numbered one round step apart, and
// every reading on its curve where the numbers put it.
void expectReadable(const GuidePage& page)
{
    QWidget host;
    QWidget* plot = page.make(host);
    for (const QSize& size : kSizes) {
        SCOPED_TRACE(page.name + " at " + std::to_string(size.width()) + " x " + std::to_string(size.height()));
        const QImage image = test::grabPlot(*plot, size);
        const QRectF panel = page.panel(*plot, size);
        const std::vector<test::PaintedText> texts = test::paintedTexts(*plot, size);
        const test::AxisReading across = test::readAxis(texts, panel, NumbersAt::Under);
        const test::AxisReading up = test::readAxis(texts, panel, NumbersAt::Left);
        ASSERT_GE(across.marks.size(), 3u) << "numbers under the panel";
        ASSERT_GE(up.marks.size(), 3u) << "numbers left of the panel";
        EXPECT_FALSE(std::isnan(test::roundStep(across))) << "numbers under the panel one round step apart";
        EXPECT_FALSE(std::isnan(test::roundStep(up))) << "numbers left of the panel one round step apart";
        for (const Reading& r : page.readings) {
            const QPointF at(across.pixelOf(r.x), up.pixelOf(r.y));
            EXPECT_TRUE(test::colourNear(image, at, r.colour, 2))
                << r.what << " (" << r.x << ", " << r.y << ") not shown at " << at.x() << ", " << at.y();
        }
    }
}

// The Klein tunnelling record of a guide's run: the packet left of the
// barrier until t = 6, through it by t = 12, the analysis lasting 16.
struct KleinRun {
    DiracKleinRecorder recorder{800};

    // The share left of, inside and right of the barrier at t.
    static double left(double t) { return t < 6.0 ? 1.0 : t < 12.0 ? 1.0 - (t - 6.0) / 6.0 * 0.95 : 0.05; }
    static double inside(double t) { return t < 6.0 || t > 12.0 ? 0.0 : 0.3 * std::sin(M_PI * (t - 6.0) / 6.0); }
    static double right(double t) { return 1.0 - left(t) - inside(t); }

    KleinRun()
    {
        KleinTunnelingConfig config;
        config.enabled = true;
        config.analysisEndTime = 16.0;
        // 64 columns of 0.5 by 8 rows of 0.4: 29 columns left of the barrier
        // (x < -1.5), 6 inside it and 29 right of it.
        const auto spinor = [](double l, double b, double r) {
            const double column = 8 * 0.5 * 0.4;
            return test::densitySpinor(64, 8, 0.5f, 0.4f, [=](std::uint64_t i, std::uint64_t) {
                const double x = (double(i) - 31.5) * 0.5;
                return x < -1.5 ? l / (29 * column) : x <= 1.5 ? b / (6 * column) : r / (29 * column);
            });
        };
        recorder.configure(spinor(1.0, 0.0, 0.0), config);
        for (int k = 0; k <= 160; ++k) {
            const double t = 0.1 * k;
            recorder.record(t, spinor(left(t), inside(t), right(t)));
        }
    }
};

using GuideAxes = test::PlotTest;

// Klein tunnelling: "the packet reaches the barrier near t = 8.5" is pointed
// at on the time numbers, and the start of P_left and the top of P_right show
// (the summary stands over the panel, not on the curves).
TEST_F(GuideAxes, KleinTunnelingIsReadOnTimeAndProbabilityNumbers)
{
    const auto run = std::make_shared<KleinRun>();
    const QColor left(plot::kDirac.kleinLeft), inside(plot::kMarkers.scanCurrent), right(plot::kCurves.leading);
    expectReadable({"Klein tunneling",
                    [run](QWidget& host) {
                        auto* plot = new QuantumKleinTunnelingPlotWidget(&host);
                        plot->setRecorder(&run->recorder);
                        return plot;
                    },
                    [](QWidget& plot, const QSize& size) {
                        plot.resize(size);
                        return QRectF(plot::scanPanel(
                            size, static_cast<QuantumKleinTunnelingPlotWidget&>(plot).scanLayout()));
                    },
                    {{"P_left at the start", 0.3, 1.0, left},
                     {"P_left at the barrier", 8.5, KleinRun::left(8.5), left},
                     {"inside the barrier", 9.0, KleinRun::inside(9.0), inside},
                     {"P_right at its top", 15.5, KleinRun::right(15.5), right}}});
}

} // namespace
} // namespace vxo

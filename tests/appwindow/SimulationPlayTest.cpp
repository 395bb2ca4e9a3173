// The shown window on its start-up experiment: Play for a second moves the
// packet across the viewport.

#include "common/AppTestSupport.h"
#include "common/QtTestSupport.h"

#include "app/mainwindow/MainWindow.h"
#include "view/QuantumGLView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QComboBox>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vxo {
namespace {

// Where the screenshots go when VXO_SCREENSHOT_DIR names a folder.
void keepScreenshot(const QImage& image, const char* name)
{
    const char* folder = std::getenv("VXO_SCREENSHOT_DIR");
    if (folder != nullptr && folder[0] != '\0')
        image.save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name)));
}

// Where the packet is drawn: along the image row through world height y,
// over the pixels within halfWidth of world x, the centroid of how far each
// pixel stands above the darkest of them, mapped back to world x. The
// colour ramp need not be monotonic: a packet drawn symmetrically about x
// gives symmetric weights (overlays drawn over it would not).
double drawnCentre(const QImage& image, const QuantumGLView& view, double x, double halfWidth, double y)
{
    const double scale = static_cast<double>(image.width()) / view.width();
    const QPointF centre = view.worldToWidget(static_cast<float>(x), static_cast<float>(y)) * scale;
    const QPointF edge = view.worldToWidget(static_cast<float>(x + halfWidth), static_cast<float>(y)) * scale;
    const int row = static_cast<int>(centre.y());
    const int middle = static_cast<int>(std::lround(centre.x()));
    const int reach = static_cast<int>(std::lround(edge.x() - centre.x()));
    int darkest = 3 * 255;
    for (int column = middle - reach; column <= middle + reach; ++column)
        darkest = std::min(darkest, test::channelSum(image.pixel(column, row)));
    double weight = 0.0;
    double moment = 0.0;
    for (int column = middle - reach; column <= middle + reach; ++column) {
        const double w = test::channelSum(image.pixel(column, row)) - darkest;
        weight += w;
        moment += w * column;
    }
    if (!(weight > 0.0))
        return std::nan("");
    float worldX = 0.0f;
    float worldY = 0.0f;
    view.widgetToWorld(QPointF(moment / weight / scale, centre.y() / scale), worldX, worldY);
    return worldX;
}

TEST(SimulationPlay, PlayingMovesThePacketAcrossTheViewport)
{
    test::appTestApplication();
    ASSERT_TRUE(test::displayAvailable()) << test::kNeedsDisplay;
    MainWindow window(nullptr, false);
    // The three-column layout, both side columns beside the viewport (a
    // window narrower than about 1390 px merges them).
    window.resize(1440, 960);
    ASSERT_TRUE(test::showAndWait(window));
    auto* view = window.findChild<QuantumGLView*>(QStringLiteral("quantumView"));
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->isGlReady()) << test::kNeedsDisplay;
    ASSERT_FALSE(window.observableHistory().empty()) << "the window starts without an observation of its packet";

    // The packet alone along the probed row: no contour lines, no current
    // arrows, no section line through its centre.
    for (const char* overlay : {"probabilityContoursCheckBox", "currentOverlayCheckBox", "crossSectionLineCheckBox"}) {
        auto* box = window.findChild<QAbstractButton*>(QLatin1String(overlay));
        ASSERT_NE(box, nullptr) << overlay;
        box->setChecked(false);
    }
    test::settle();

    // A window of four widths about where the packet should be: a packet
    // drawn anywhere else pulls the drawn centre towards one edge.
    const auto drawnAt = [view](const QImage& image, const ObservableSample& sample) {
        return drawnCentre(image, *view, sample.meanX, 4.0 * sample.sigmaX, sample.meanY);
    };
    // Each image is measured at once: the layout may still resize the view.
    const ObservableSample start = window.observableHistory().newest();
    const QImage before = view->grabFramebuffer();
    const double drawnBefore = drawnAt(before, start);
    keepScreenshot(window.grab().toImage(), "simulation_play_before.png");

    auto* play = window.findChild<QAbstractButton*>(QStringLiteral("playButton"));
    auto* pause = window.findChild<QAbstractButton*>(QStringLiteral("pauseButton"));
    ASSERT_TRUE(play && pause);
    // At 16x each tick moves the packet by about 0.8, so a few ticks show it
    // even where a tick takes seconds (the sanitizer build's software GL).
    auto* speed = window.findChild<QComboBox*>(QStringLiteral("speedComboBox"));
    ASSERT_NE(speed, nullptr);
    speed->setCurrentIndex(speed->count() - 1);
    play->click();
    ASSERT_EQ(window.transportClock().state(), TransportState::Running) << "Play did not start the run";
    // Runs until the packet has moved a visible distance; the bound only
    // stops a run that never advances.
    test::waitUntil([&window, &start] { return window.observableHistory().newest().meanX - start.meanX >= 0.6; });
    pause->click();
    test::settle();

    const ObservableSample end = window.observableHistory().newest();
    const QImage after = view->grabFramebuffer();
    const double drawnAfter = drawnAt(after, end);
    keepScreenshot(window.grab().toImage(), "simulation_play_after.png");

    ASSERT_GT(end.time, start.time) << "the run did not advance";
    const double travelled = end.meanX - start.meanX;
    ASSERT_GT(travelled, 0.5) << "too short a run to see the packet move: t = " << end.time;
    EXPECT_NEAR(drawnBefore, start.meanX, 0.1) << "before Play";
    EXPECT_NEAR(drawnAfter, end.meanX, 0.1) << "after Play, moved by " << travelled;
}

} // namespace
} // namespace vxo

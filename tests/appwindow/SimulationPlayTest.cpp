// The shown window on its start-up experiment: Play for a second moves the
// packet across the viewport.

#include "common/AppTestSupport.h"
#include "common/QtTestSupport.h"

#include "app/MainWindow.h"
#include "view/QuantumGLView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>

#include <gtest/gtest.h>

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

// Brightness of the viewport image at the widget point of a world position.
int brightnessAt(const QImage& image, const QuantumGLView& view, double x, double y)
{
    const QPointF point = view.worldToWidget(static_cast<float>(x), static_cast<float>(y));
    const double scale = static_cast<double>(image.width()) / view.width();
    return test::channelSum(image.pixel(static_cast<int>(point.x() * scale), static_cast<int>(point.y() * scale)));
}

TEST(SimulationPlay, PlayingForASecondMovesThePacketAcrossTheViewport)
{
    test::appTestApplication();
    if (!test::displayAvailable())
        GTEST_SKIP() << test::kNeedsDisplay;
    MainWindow window(nullptr, false);
    window.resize(1280, 960);
    ASSERT_TRUE(test::showAndWait(window));
    auto* view = window.findChild<QuantumGLView*>(QStringLiteral("quantumView"));
    ASSERT_NE(view, nullptr);
    if (!view->isGlReady())
        GTEST_SKIP() << test::kNeedsDisplay;

    const ObservableSample start = window.observableHistory().newest();
    const QImage before = view->grabFramebuffer();
    keepScreenshot(window.grab().toImage(), "simulation_play_before.png");

    auto* play = window.findChild<QAbstractButton*>(QStringLiteral("playButton"));
    auto* pause = window.findChild<QAbstractButton*>(QStringLiteral("pauseButton"));
    ASSERT_TRUE(play && pause);
    play->click();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    pause->click();
    test::settle();

    const ObservableSample end = window.observableHistory().newest();
    const QImage after = view->grabFramebuffer();
    keepScreenshot(window.grab().toImage(), "simulation_play_after.png");

    ASSERT_GT(end.time, start.time) << "the run did not advance";
    const double travelled = end.meanX - start.meanX;
    ASSERT_GT(travelled, 3.0 * start.sigmaX / 4.0) << "too short a run to see the packet move: " << end.time;
    // The packet's bright core sits where its centroid went; where it
    // started the image has darkened.
    const int startBefore = brightnessAt(before, *view, start.meanX, start.meanY);
    const int startAfter = brightnessAt(after, *view, start.meanX, start.meanY);
    const int endAfter = brightnessAt(after, *view, end.meanX, end.meanY);
    EXPECT_GT(endAfter, startAfter) << "moved by " << travelled;
    EXPECT_LT(startAfter, startBefore) << "moved by " << travelled;
}

} // namespace
} // namespace vxo

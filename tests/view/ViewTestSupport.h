#pragma once

#include "core/ComplexField2D.h"
#include "view/QuantumGLView.h"

#include <QImage>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class QApplication;
class QWidget;

namespace vxo::test {

// The one QApplication of the test run, made on first use after the default
// surface format has been set to OpenGL 3.3 core (as the program's start-up
// does). Without an X display the widgets run on the offscreen platform and
// the OpenGL tests skip themselves.
QApplication& testApplication();

// True when windows can be shown with a real OpenGL context (xvfb-run -a).
bool displayAvailable();

// Shows a top-level widget and runs the event loop until it is exposed.
bool showAndWait(QWidget& widget);

// Runs the event loop for a short while so that pending repaints happen.
void settle();

// Why the OpenGL tests skip themselves.
constexpr const char* kNeedsDisplay = "needs an X display with OpenGL 3.3 core (run under xvfb-run -a)";

// The view's picture once pending repaints have happened, as RGB32.
QImage renderedImage(QuantumGLView& view);

// Fixture of the tests on one shown 400 x 400 view with a real OpenGL
// context; without a display they skip themselves. prepareView() runs once
// the view is shown.
class ShownViewTest : public ::testing::Test {
protected:
    void SetUp() override;
    virtual void prepareView() {}

    std::unique_ptr<QuantumGLView> view;
};

// Collects every message sent through the toolkit's logger while alive.
class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    const QStringList& messages() const;
    bool contains(const QString& prefix) const;
};

// psi(x, y) sampled at the cell centres.
ComplexField2D sampledField(std::uint64_t nx, std::uint64_t ny, float dx, float dy,
                            const std::function<Complex(double, double)>& psi);

// Pixel statistics of a read-back image.
struct Brightest {
    int x = -1;
    int y = -1;
    int value = 0;
};
Brightest brightestPixel(const QImage& image);
int channelSum(QRgb pixel);
// Bounding box of the pixels whose channel sum exceeds the threshold.
QRect litBoundingBox(const QImage& image, int threshold);

} // namespace vxo::test

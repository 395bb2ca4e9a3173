#pragma once

#include "common/QtTestSupport.h"
#include "core/ComplexField2D.h"
#include "view/QuantumGLView.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vxo::test {

// testApplication(), displayAvailable(), showAndWait(), settle() and
// MessageCapture come from common/QtTestSupport.h; without an X display the
// OpenGL tests skip themselves.

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
// Bounding box of the pixels whose channel sum exceeds the threshold.
QRect litBoundingBox(const QImage& image, int threshold);

} // namespace vxo::test

#include "view/QuantumGLView.h"

#include "ViewTestSupport.h"
#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"
#include "core/ProbabilityCurrent2D.h"
#include "view/ContourExtraction.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace vxo {
namespace {

using test::channelSum;
using test::renderedImage;
using test::sampledField;
using test::showAndWait;

// A classroom picture: a packet that has passed a double slit (two coherent
// cylindrical waves from the slits, the fringes spreading behind the wall)
// and a weak reflected packet in front of it, on the default 40.96 domain.
struct DoubleSlitScene {
    static constexpr double kWallX = -4.0;
    static constexpr double kSlitSeparation = 3.0;
    static constexpr double kWaveNumber = 6.0;

    ComplexField2D psi = sampledField(256, 256, 0.16f, 0.16f, [](double x, double y) {
        std::complex<double> value(0.0, 0.0);
        if (x > kWallX) {
            for (double slitY : {-kSlitSeparation / 2.0, kSlitSeparation / 2.0}) {
                const double r = std::hypot(x - kWallX, y - slitY);
                const double front = std::exp(-(r - 11.0) * (r - 11.0) / (2.0 * 3.5 * 3.5));
                value += std::polar(front / std::sqrt(r + 0.5), kWaveNumber * r);
            }
        } else {
            const double envelope =
                std::exp(-((x + 12.0) * (x + 12.0)) / (2.0 * 2.5 * 2.5) - (y * y) / (2.0 * 5.0 * 5.0));
            value = std::polar(0.3 * envelope, -kWaveNumber * x);
        }
        return Complex(static_cast<float>(value.real()), static_cast<float>(value.imag()));
    });
    PotentialField2D potential = [] {
        PotentialField2D v(256, 256, 0.16f, 0.16f);
        v.addDoubleSlit(static_cast<float>(kWallX), 0.48f, 0.0f, static_cast<float>(kSlitSeparation), 0.8f, 60.0f);
        return v;
    }();
};

TEST(QuantumGLViewPicture, DoubleSlitReadsAsFringesBehindAGreyWall)
{
    test::testApplication();
    ASSERT_TRUE(test::displayAvailable()) << test::kNeedsDisplay;

    QuantumGLView view;
    view.resize(800, 600);
    ASSERT_TRUE(showAndWait(view));
    const DoubleSlitScene scene;
    view.setFrame(scene.psi, scene.potential, 0);
    view.setCrossSectionLineVisible(false);
    QImage image = renderedImage(view);

    // The image is the 600 x 600 square in the middle; physical x maps to
    // 100 + 600 (x / 40.96 + 0.5), physical y to 600 (0.5 - y / 40.96).
    auto px = [](double x) { return static_cast<int>(100.0 + 600.0 * (x / 40.96 + 0.5)); };
    auto py = [](double y) { return static_cast<int>(600.0 * (0.5 - y / 40.96)); };

    // Fringes: brightness along the line x = 6 has several separate maxima.
    int maxima = 0;
    int previous = channelSum(image.pixel(px(6.0), py(-9.0)));
    bool rising = false;
    for (double y = -9.0; y <= 9.0; y += 0.08) {
        const int v = channelSum(image.pixel(px(6.0), py(y)));
        if (v < previous && rising && previous > 120)
            ++maxima;
        rising = v > previous ? true : (v < previous ? false : rising);
        previous = v;
    }
    EXPECT_GE(maxima, 3);

    // The wall between the slits and far from them is the overlay's grey.
    for (double y : {0.0, 6.0, -10.0}) {
        const QRgb wall = image.pixel(px(DoubleSlitScene::kWallX), py(y));
        EXPECT_NEAR(qRed(wall), 72, 4) << y;
        EXPECT_NEAR(qBlue(wall), 72, 4) << y;
    }

    // With the painted overlays a teacher would switch on: the wall outline,
    // density contours, streamlines of the current and the section line.
    view.setPotentialContours(buildPotentialContours(scene.potential, 4));
    view.setProbabilityContours(buildProbabilityContours(scene.psi, 5, 1, 3.0f, 384));
    view.setCurrentField(ProbabilityCurrent2D::compute(scene.psi, 1.0f, 1.0f));
    view.setCrossSectionLineVisible(true);
    view.setCrossSectionLine(0, -6.0f);
    image = renderedImage(view);
    if (const char* dir = std::getenv("VXO_VIEW_SCREENSHOT_DIR"))
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("quantum_view_double_slit.png")));

    // The mid-level outline of the wall runs half a cell outside its last cells, x = -4 - 0.32.
    int outline = 0;
    for (int y = py(10.0); y < py(5.0); ++y) {
        const QRgb p = image.pixel(px(DoubleSlitScene::kWallX - 0.32), y);
        if (qRed(p) > 150 && qGreen(p) > 120 && qBlue(p) < 130)
            ++outline;
    }
    EXPECT_GT(outline, (py(5.0) - py(10.0)) / 2);
}

} // namespace
} // namespace vxo

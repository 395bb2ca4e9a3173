#include "ViewTestSupport.h"

#include <QApplication>

namespace vxo::test {

QImage renderedImage(QuantumGLView& view)
{
    settle();
    return view.grabFramebuffer().convertToFormat(QImage::Format_RGB32);
}

void ShownViewTest::SetUp()
{
    testApplication();
    ASSERT_TRUE(displayAvailable()) << kNeedsDisplay;
    view = std::make_unique<QuantumGLView>();
    view->resize(400, 400);
    ASSERT_TRUE(showAndWait(*view));
    prepareView();
}

ComplexField2D sampledField(std::uint64_t nx, std::uint64_t ny, float dx, float dy,
                            const std::function<Complex(double, double)>& psi)
{
    ComplexField2D field(nx, ny, dx, dy);
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i)
            field.at(i, j) = psi(gridCoordinateX(field, i), gridCoordinateY(field, j));
    return field;
}

Brightest brightestPixel(const QImage& image)
{
    Brightest best;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int v = channelSum(image.pixel(x, y));
            if (v > best.value) {
                best.value = v;
                best.x = x;
                best.y = y;
            }
        }
    return best;
}

QRect litBoundingBox(const QImage& image, int threshold)
{
    int left = image.width();
    int top = image.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (channelSum(image.pixel(x, y)) > threshold) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace vxo::test

#include "ViewTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSurfaceFormat>
#include <QWidget>
#include <QWindow>

#include <cstdlib>

namespace vxo::test {

namespace {

int gArgc = 1;
char gArgv0[] = "view_tests";
char* gArgv[] = {gArgv0, nullptr};

QStringList& capturedMessages()
{
    static QStringList messages;
    return messages;
}

QtMessageHandler gPreviousHandler = nullptr;

void captureHandler(QtMsgType, const QMessageLogContext&, const QString& message)
{
    capturedMessages().append(message);
}

} // namespace

bool displayAvailable()
{
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && display[0] != '\0';
}

QApplication& testApplication()
{
    static QApplication* application = [] {
        if (!displayAvailable() && std::getenv("QT_QPA_PLATFORM") == nullptr)
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QSurfaceFormat format;
        format.setRenderableType(QSurfaceFormat::OpenGL);
        format.setVersion(3, 3);
        format.setProfile(QSurfaceFormat::CoreProfile);
        format.setDepthBufferSize(0);
        format.setStencilBufferSize(0);
        QSurfaceFormat::setDefaultFormat(format);
        return new QApplication(gArgc, gArgv);
    }();
    return *application;
}

bool showAndWait(QWidget& widget)
{
    widget.show();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (widget.windowHandle() && widget.windowHandle()->isExposed())
            break;
    }
    settle();
    return widget.windowHandle() && widget.windowHandle()->isExposed();
}

void settle()
{
    for (int k = 0; k < 5; ++k)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

QImage renderedImage(QuantumGLView& view)
{
    settle();
    return view.grabFramebuffer().convertToFormat(QImage::Format_RGB32);
}

void ShownViewTest::SetUp()
{
    testApplication();
    if (!displayAvailable())
        GTEST_SKIP() << kNeedsDisplay;
    view = std::make_unique<QuantumGLView>();
    view->resize(400, 400);
    ASSERT_TRUE(showAndWait(*view));
    prepareView();
}

MessageCapture::MessageCapture()
{
    capturedMessages().clear();
    gPreviousHandler = qInstallMessageHandler(captureHandler);
}

MessageCapture::~MessageCapture() { qInstallMessageHandler(gPreviousHandler); }

const QStringList& MessageCapture::messages() const { return capturedMessages(); }

bool MessageCapture::contains(const QString& prefix) const
{
    for (const QString& m : capturedMessages()) {
        if (m.startsWith(prefix))
            return true;
    }
    return false;
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

int channelSum(QRgb pixel) { return qRed(pixel) + qGreen(pixel) + qBlue(pixel); }

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

#include "common/QtTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSurfaceFormat>
#include <QWidget>
#include <QWindow>

#include <cstdlib>

namespace vxo::test {

namespace {

int gArgc = 1;
char gArgv0[] = "vxo_tests";
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

int channelSum(QRgb pixel) { return qRed(pixel) + qGreen(pixel) + qBlue(pixel); }

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

} // namespace vxo::test

#include "common/QtTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSurfaceFormat>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <utility>
#include <vector>

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

// One pass of the event loop after a round trip to the display server, so
// that its answers to every request made so far are among the events
// handled.
void passAfterSync()
{
    QGuiApplication::sync();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Passes in a row that must leave the layout as it was: a deferred pass may
// take one pass to post the work of the next.
constexpr int kQuietPasses = 3;

using Layout = std::vector<std::pair<QRect, bool>>;

// Where every widget under `root` is and whether it is shown.
void addLayoutUnder(const QWidget& root, Layout& layout)
{
    layout.emplace_back(root.geometry(), root.isVisible());
    for (const QWidget* widget : root.findChildren<QWidget*>())
        layout.emplace_back(widget->geometry(), widget->isVisible());
}

// Runs passes until `kQuietPasses` in a row found `layout()` as the pass
// before left it; false when that did not happen within `boundMs`.
bool settleWith(const std::function<Layout()>& layout, int boundMs)
{
    QElapsedTimer clock;
    clock.start();
    Layout before = layout();
    for (int quiet = 0; quiet < kQuietPasses;) {
        if (clock.elapsed() > boundMs)
            return false;
        passAfterSync();
        Layout now = layout();
        quiet = now == before ? quiet + 1 : 0;
        before = std::move(now);
    }
    return true;
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

bool waitUntil(const std::function<bool()>& condition, int boundMs)
{
    QElapsedTimer clock;
    clock.start();
    // Wakes the loop when no event does, so that the condition and the
    // bound are looked at while the loop waits instead of spinning.
    QTimer wake;
    wake.start(10);
    while (!condition()) {
        if (clock.elapsed() > boundMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

bool settleLayout(const QWidget& root, int boundMs)
{
    return settleWith(
        [&root] {
            Layout layout;
            addLayoutUnder(root, layout);
            return layout;
        },
        boundMs);
}

bool showAndWait(QWidget& widget)
{
    widget.show();
    const bool exposed = waitUntil([&widget] { return widget.windowHandle() && widget.windowHandle()->isExposed(); });
    return exposed && settleLayout(widget);
}

void settle()
{
    settleWith(
        [] {
            Layout layout;
            for (const QWidget* window : QApplication::topLevelWidgets())
                addLayoutUnder(*window, layout);
            return layout;
        },
        kWaitBoundMs);
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

#pragma once

#include <QRgb>
#include <QString>
#include <QStringList>

#include <functional>

class QApplication;
class QWidget;

namespace vxo::test {

// The one QApplication of a test executable, made on first use after the
// default surface format has been set to OpenGL 3.3 core (as the program's
// start-up does). Without an X display the widgets run on the offscreen
// platform.
QApplication& testApplication();

// True when an X display is set (xvfb-run -a).
bool displayAvailable();

// Why an OpenGL test fails without a display: `make test` always gives it one.
constexpr const char* kNeedsDisplay =
    "needs an X display with OpenGL 3.3 core (`make test` runs the tests under xvfb-run)";

// The bound of every wait in the tests: far beyond what the slowest or most
// loaded machine needs, it only ends a wait whose condition never comes.
constexpr int kWaitBoundMs = 120000;

// Runs the event loop until `condition` holds; false when it still does not
// after `boundMs`.
bool waitUntil(const std::function<bool()>& condition, int boundMs = kWaitBoundMs);

// Runs the event loop, each pass after the display server has answered every
// request, until every widget under `root` has kept its geometry and
// visibility over consecutive passes: the deferred layout passes have all
// run, however slowly the machine runs them. False when the layout is still
// moving after `boundMs`.
bool settleLayout(const QWidget& root, int boundMs = kWaitBoundMs);

// Shows a top-level widget and runs the event loop until it is exposed and
// its layout has settled.
bool showAndWait(QWidget& widget);

// As settleLayout() over every top-level widget: pending repaints and
// deferred work happen.
void settle();

// Red + green + blue of a pixel.
int channelSum(QRgb pixel);

// Collects every message sent through the toolkit's logger while alive.
class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    const QStringList& messages() const;
    bool contains(const QString& prefix) const;
};

} // namespace vxo::test

#pragma once

#include <QRgb>
#include <QString>
#include <QStringList>

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

// Shows a top-level widget and runs the event loop until it is exposed.
bool showAndWait(QWidget& widget);

// Runs the event loop for a short while so that pending repaints happen.
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

#pragma once

// What a top-level widget is not told by the toolkit about its own window:
// that the window system has shown it (exposed, and framed where a window
// manager runs: only then are the frame's margins known), and that the
// screen it is on, or that screen's geometry or available area, has changed
// (a projector plugged in, a panel added). The first comes to the widget's
// QWindow, which exists once the widget is shown, the second to the QScreen
// the window is on, which changes as the window moves between screens.

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <functional>

class QScreen;
class QWidget;
class QWindow;

namespace vxo {

class WindowScreenWatch : public QObject {
public:
    // `exposed` on every expose of `window`'s window; `screenChanged` with
    // the geometry its screen had at the last call (or when the window was
    // first shown), once per pass of the event loop in which the window
    // moved to another screen or the screen's geometry or available area
    // changed. A child of `window`.
    WindowScreenWatch(QWidget* window, std::function<void()> exposed,
                      std::function<void(const QRect& previousScreen)> screenChanged);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QScreen* screen);
    void changed();

    QWidget* window_;
    std::function<void()> exposed_;
    std::function<void(const QRect&)> screenChanged_;
    QPointer<QWindow> handle_;
    QPointer<QScreen> screen_;
    QMetaObject::Connection geometryChanged_;
    QMetaObject::Connection availableChanged_;
    QRect screenGeometry_;
    bool changePending_ = false;
};

} // namespace vxo
